#include "file_ops/copy_one_file.h"

#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
#include "file_ops/run_journal.h"
#include "file_ops/target_name.h"
#include "platform/file_identity.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/name_rules.h"
#include "platform/path_parts.h"
#include "platform/trash.h"
#include "shared/result_value.h"

#include <algorithm>

namespace FileOps {

namespace {

// A failure, named by the file the user knows: the source, not its staged
// copy; the destination, not the hidden file on its way there.
qint16 stopAt(platform::FsError error, const QString& path)
{
    error.path = path;
    platform::showError(error);
    return ResultValue::Stop;
}

// How a file reaches its new name.
enum class Way {
    OwnEntry,           // moved onto its own entry: only its letter case may change
    Rename,             // moved within its mounted volume
    ViaStagingFolder,   // copied into the staging folder, then renamed into place
    BesideDestination,  // copied once, into a hidden part beside its destination
};

// One file on its way, in named steps: checked, staged (unless renamed),
// what is in its way set aside, the old file it replaces put in the trash,
// placed, then its source deleted or kept. Each step gives back 0 to go on,
// 9 to stop after its message.
class Placement {
public:
    Placement(PlacementRun& run, const CopyJob& job)
        : run_(run), job_(job), plan_(run.plan), destination_(platform::joinPath(job.destinationFolder, job.newName))
    {
    }

    qint16 run()
    {
        qint16 stop = check();
        if (stop > 0)
            return stop;
        chooseWay();
        if (way_ == Way::OwnEntry)
            return changeLetterCase();
        using Step = qint16 (Placement::*)();
        for (const Step step : {&Placement::stage, &Placement::setAsideWhatIsInTheWay, &Placement::retireOldFile,
                                &Placement::place, &Placement::deleteOrKeepSource}) {
            if ((stop = (this->*step)()) > 0)
                return stop;
        }
        return ResultValue::Proceed;
    }

private:
    qint16 check()
    {
        // A run's preview has checked every name already.
        if (!plan_ && !TargetNameCheck({job_.destinationFolder, job_.stagingFolder}).isUsable(job_.newName)) {
            platform::showMessage(unusableNameMessage(platform::nameOf(job_.sourcePath), job_.newName));
            return ResultValue::Stop;
        }
        readPath_ = plan_ ? plan_->readPathOf(job_.sourcePath) : job_.sourcePath;
        // Names the preview counted as this one although spelt otherwise.
        caseVariants_ = plan_ && job_.overwrite ? plan_->caseVariantsOf(destination_) : QStringList();
        destinationMayBeTaken_ = !plan_ || plan_->mayHoldFileAt(destination_);
        destinationExists_ = destinationMayBeTaken_ && platform::fileExists(destination_);
        if ((destinationExists_ || !caseVariants_.isEmpty()) && run_.movedSources && run_.movedSources->holdsSources()) {
            // The file in the way may be a source still waiting to be deleted:
            // delete those first, as if each had gone right after its own copy.
            const qint16 stop = run_.movedSources->finish();
            if (stop > 0)
                return stop;
            destinationExists_ = platform::fileExists(destination_);
            if (plan_ && job_.overwrite)
                caseVariants_ = plan_->caseVariantsOf(destination_);
        }
        if (destinationExists_ && !job_.overwrite) {
            platform::showMessage(destinationClashMessage(destination_));
            return ResultValue::Stop;
        }
        return ResultValue::Proceed;
    }

    // Folders keep their volume during a run: a run's plan looks each up once.
    platform::FileSystemMatch volumeMatchOf(const QString& folder) const
    {
        return plan_ ? plan_->fileSystemMatchOf(folder)
                     : platform::compareFileSystems(folder, job_.destinationFolder);
    }

    void chooseWay()
    {
        // A set-aside source goes also when copying: its name holds another file now.
        const bool moving = job_.deleteSource || readPath_ != job_.sourcePath;
        ownEntry_ = moving && isOwnEntry();
        retiresSource_ = moving && !ownEntry_;
        // Within one volume a moved file is renamed into place: a rename never
        // leaves it in neither place, so nothing needs copying or flushing. A
        // source that cannot be deleted is copied, and stays, as across volumes.
        // "." names the folder also when it is the root.
        const bool renamable = moving
            && volumeMatchOf(platform::joinPath(platform::parentOf(readPath_), QStringLiteral(".")))
                == platform::FileSystemMatch::Same
            && platform::isDeletableFile(readPath_);
        if (renamable)
            way_ = ownEntry_ ? Way::OwnEntry : Way::Rename;
        // Bound for another volume than the staging folder's (a USB stick, a
        // share), a file is copied once, straight into a hidden file beside
        // its destination.
        else if (volumeMatchOf(job_.stagingFolder) == platform::FileSystemMatch::Different)
            way_ = Way::BesideDestination;
        else
            way_ = Way::ViaStagingFolder;
        // A copy onto its own file (the same name, or another name of it)
        // replaces it by the same bytes: nothing is lost, nothing to undo.
        replacesItsSource_ = !moving && destinationExists_ && platform::isSameFile(readPath_, destination_);
    }

    // The destination is the source's own entry, under its name or another
    // spelling the folder does not tell from it.
    bool isOwnEntry() const
    {
        const QString source = plan_ ? plan_->inDestinationSpelling(readPath_) : readPath_;
        if (platform::parentOf(source) == platform::parentOf(destination_)) {
            const platform::LetterCase letterCase =
                plan_ ? plan_->letterCase() : platform::letterCaseOf(job_.destinationFolder);
            if (platform::nameKey(platform::nameOf(source), letterCase) == platform::nameKey(job_.newName, letterCase))
                return true;
        }
        // Reached by way of a link, or by a spelling no key foresees; two
        // names of one file (hard links) are two entries.
        return destinationMayBeTaken_ && platform::isSameFile(readPath_, destination_)
            && !platform::areTwoNamesOfOneFile(readPath_, destination_);
    }

    // Moved onto its own entry: only letter case can change, by way of a hidden name.
    qint16 changeLetterCase()
    {
        const QString path = plan_ ? plan_->inDestinationSpelling(readPath_) : readPath_;
        if (platform::nameOf(path) == job_.newName)
            return ResultValue::Proceed;
        const platform::FileStamp stamp = run_.journal.keeps() ? platform::stampOf(path) : platform::FileStamp{};
        QString hidden;
        platform::FsError error = setAside(path, run_.journal, hidden);
        if (!error.failed()) {
            error = run_.journal.renaming(run_.item, stamp);
            if (!error.failed())
                error = platform::renameFile(hidden, destination_);
            // Should the way back fail too, the next start gives the file its name back.
            if (error.failed())
                static_cast<void>(platform::renameFile(hidden, path));
        }
        if (error.failed())
            return stopAt(error, destination_);
        return notePlaced(PlacedWay::Renamed, stamp, true);
    }

    qint16 stage()
    {
        if (way_ == Way::Rename)
            return ResultValue::Proceed;
        const bool beside = way_ == Way::BesideDestination;
        staged_ = beside ? platform::partPathBeside(destination_)
                         : platform::joinPath(job_.stagingFolder, job_.newName);
        platform::FsError error = beside ? run_.journal.part(staged_) : platform::FsError{};
        if (error.failed())
            return stopAt(error, destination_);
        // A file replaced for good, or by a copy of itself, needs its successor
        // on disk first; one in the trash does not. A moved source waits for
        // its copy to be on disk anyway, and a copy across keeps its source:
        // the run flushes them a group at a time. A file copied alone across
        // is flushed on its own.
        const bool replacing = destinationExists_ || !caseVariants_.isEmpty();
        stagedOnDisk_ = (replacing && run_.replaceForGood) || replacesItsSource_ || (beside && !run_.movedSources);
        // Bound for a stick, a big file goes to disk as it is written: the
        // group's flush then finds little left to write.
        const platform::CopyFlush flush = stagedOnDisk_ ? platform::CopyFlush::Durable
            : beside                                    ? platform::CopyFlush::AsWritten
                                                        : platform::CopyFlush::None;
        error = platform::copyFile(readPath_, staged_, flush, &copied_, &written_, run_.progress);
        // Cancelled within the file: the run says so itself, the partial copy is gone.
        if (error.cancelled())
            return ResultValue::Stop;
        return error.failed() ? stopAt(error, job_.sourcePath) : ResultValue::Proceed;
    }

    qint16 setAsideWhatIsInTheWay()
    {
        if (!plan_)
            return ResultValue::Proceed;
        // Sources of later files that this placement takes the name of are
        // read from a set-aside file.
        plan_->markRead(job_.sourcePath);
        const platform::FsError error = plan_->setAsideUnread(QStringList(caseVariants_) << destination_);
        if (error.failed())
            return stopPlacing(error);
        // Setting aside can only have taken some away.
        destinationExists_ = destinationExists_ && platform::fileExists(destination_);
        return ResultValue::Proceed;
    }

    // The file the new one replaces goes to the trash: as a second name of it
    // while the destination keeps it until the new file takes the name in
    // one rename, or moved there where the file system has no such names.
    qint16 retireOldFile()
    {
        // Two names of one file (its own entry went another way): renaming
        // one onto the other does nothing; the destination holds the data.
        secondName_ = way_ == Way::Rename && destinationExists_ && platform::isSameFile(readPath_, destination_);
        if (!destinationExists_ || secondName_ || replacesItsSource_ || run_.replaceForGood)
            return ResultValue::Proceed;
        // Where the folder tells no letter case apart, the old file goes to
        // the trash, and comes back, under its own spelling.
        const auto spelling = std::find_if(caseVariants_.cbegin(), caseVariants_.cend(), platform::pathExists);
        retiredPath_ = spelling == caseVariants_.cend() ? destination_ : *spelling;
        const platform::FileStamp old = platform::stampOf(retiredPath_);
        bool linked = false;
        const platform::FsError error =
            platform::keepInTrash(retiredPath_, retired_, linked, [this, &old](const platform::TrashEntry& entry) {
                return run_.journal.replacing(run_.item, retiredPath_, entry, old);
            });
        // Gone already (FUSE may still show a name just set aside), or one
        // that may not be deleted, which the replacement reports as it always has.
        if (error.number == platform::ErrorNumber::FileNotFound || (error.failed() && !platform::isDeletableFile(retiredPath_)))
            return ResultValue::Proceed;
        if (error.failed())
            return stopPlacing(error);
        oldFile_ = linked ? OldFile::Linked : OldFile::Moved;
        destinationExists_ = linked;
        return ResultValue::Proceed;
    }

    platform::FsError placeOnce()
    {
        const QString from = way_ == Way::Rename ? readPath_ : staged_;
        return destinationExists_ ? platform::replaceFile(from, destination_)
                                  : platform::renameFile(from, destination_);
    }

    qint16 place()
    {
        if (way_ == Way::Rename && !secondName_ && run_.journal.keeps()) {
            written_ = platform::stampOf(readPath_);
            const platform::FsError error = run_.journal.renaming(run_.item, written_);
            if (error.failed())
                return stopPlacing(error, run_.journal.path());
        }
        platform::FsError error = secondName_ ? platform::FsError{} : placeOnce();
        if (error.number == platform::ErrorNumber::OtherVolume && way_ != Way::BesideDestination) {
            // Another mount of the same disk, where renames cannot pass: copied after all.
            if (way_ == Way::ViaStagingFolder)
                platform::discardTemporaryFile(staged_);
            way_ = Way::BesideDestination;
            if (stage() > 0) {
                const platform::FsError back = putBackOldFile();
                return back.failed() ? stopAt(back, retired_.filePath()) : ResultValue::Stop;
            }
            error = placeOnce();
        }
        if (error.number == platform::ErrorNumber::FileAlreadyExists && !destinationExists_
            && platform::fileExists(destination_)) {
            // A file the plan could not foresee holds the name: as if found before copying.
            if (!job_.overwrite) {
                if (way_ != Way::Rename)
                    platform::discardTemporaryFile(staged_);
                platform::showMessage(destinationClashMessage(destination_));
                return ResultValue::Stop;
            }
            // It may be a source not read yet, reached by a spelling the plan does not know.
            error = plan_ ? plan_->setAsideUnreadReaching(destination_) : platform::FsError{};
            destinationExists_ = platform::fileExists(destination_);
            // The staged copy is on the destination's file system.
            if (!error.failed() && way_ != Way::Rename && run_.replaceForGood)
                error = platform::flushFileSystem(job_.destinationFolder);
            if (!error.failed()) {
                const qint16 stop = retireOldFile();
                if (stop > 0)
                    return stop;
                error = placeOnce();
            }
        }
        if (error.failed())
            return stopPlacing(error);
        if (plan_)
            plan_->markPlaced(job_.sourcePath, destination_);
        if (secondName_ || replacesItsSource_)
            return ResultValue::Proceed;
        if (way_ == Way::Rename)
            return notePlaced(PlacedWay::Renamed, written_, true);
        return notePlaced(retiresSource_ ? PlacedWay::Moved : PlacedWay::Copied, written_, stagedOnDisk_);
    }

    qint16 notePlaced(PlacedWay way, const platform::FileStamp& stamp, bool onDisk)
    {
        const platform::FsError error = run_.journal.placed(run_.item, way, stamp, onDisk);
        return error.failed() ? stopAt(error, run_.journal.path()) : ResultValue::Proceed;
    }

    // A staged copy that cannot be placed goes at once, not only at the next
    // start (a film would fill the disk until then); an old file put in the
    // trash for it stays, or comes back, at the destination.
    qint16 stopPlacing(const platform::FsError& error) { return stopPlacing(error, destination_); }

    qint16 stopPlacing(const platform::FsError& error, const QString& about)
    {
        if (way_ != Way::Rename && !staged_.isEmpty())
            platform::discardTemporaryFile(staged_);
        const platform::FsError back = putBackOldFile();
        stopAt(error, about);
        // Still in the trash: the user is told where it lies.
        return back.failed() ? stopAt(back, retired_.filePath()) : ResultValue::Stop;
    }

    platform::FsError putBackOldFile()
    {
        if (oldFile_ == OldFile::Linked)
            platform::dropTrashLink(retired_);
        const platform::FsError back =
            oldFile_ == OldFile::Moved ? platform::restoreFromTrash(retired_, retiredPath_) : platform::FsError{};
        oldFile_ = OldFile::InPlace;
        return back;
    }

    qint16 deleteOrKeepSource()
    {
        // Renamed into place, or copied onto its own entry: nothing is left to
        // delete. A copy across still waits for its group's flush.
        if (!retiresSource_ || (way_ == Way::Rename && !secondName_))
            return way_ == Way::BesideDestination && !stagedOnDisk_ && run_.movedSources
                ? run_.movedSources->addCopy(job_.destinationFolder)
                : ResultValue::Proceed;
        const platform::FileStamp stamp = secondName_ ? platform::stampOf(readPath_) : copied_;
        return run_.movedSources
            ? run_.movedSources->add(run_.item, readPath_, job_.destinationFolder, stamp)
            : MovedSources::deleteNow(run_.journal, run_.item, readPath_, job_.destinationFolder, stamp);
    }

    PlacementRun& run_;
    const CopyJob& job_;
    PlacementPlan* plan_;
    QString destination_;
    QString readPath_;  // the source, or its set-aside file
    QString staged_;
    QStringList caseVariants_;
    Way way_ = Way::ViaStagingFolder;
    enum class OldFile { InPlace, Linked, Moved } oldFile_ = OldFile::InPlace;
    platform::TrashEntry retired_;
    QString retiredPath_;
    bool destinationMayBeTaken_ = true;
    bool destinationExists_ = false;
    bool ownEntry_ = false;
    bool retiresSource_ = false;
    bool replacesItsSource_ = false;
    bool stagedOnDisk_ = false;
    bool secondName_ = false;
    platform::FileStamp copied_;
    platform::FileStamp written_;
};

}  // namespace

QString destinationClashMessage(const QString& destinationPath)
{
    return QStringLiteral("コピー先に同一ファイルがあります。") + platform::readableFileName(destinationPath)
        + QStringLiteral(" のコピーはできませんでした。");
}

qint16 copyOneFile(PlacementRun& run, const CopyJob& job)
{
    return Placement(run, job).run();
}

}  // namespace FileOps
