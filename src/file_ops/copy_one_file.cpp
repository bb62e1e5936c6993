#include "file_ops/copy_one_file.h"

#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
#include "file_ops/target_name.h"
#include "platform/file_identity.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/name_rules.h"
#include "shared/result_value.h"

namespace FileOps {

namespace {

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

// A failure, naming the file it befell.
qint16 stopAt(const platform::FsError& error, const QString& path)
{
    platform::showMessage(platform::errorMessageText(error) + QChar(13) + path);
    return ResultValue::Stop;
}

// One file on its way: checked, staged (unless renamed), what is in its way
// set aside, placed, then its source deleted or kept. Each step gives back 0
// to go on, 9 to stop after its message.
class Placement {
public:
    explicit Placement(const CopyJob& job)
        : job_(job), plan_(PlacementPlan::active()), group_(MovedSources::collecting()),
          destination_(platform::joinPath(job.destinationFolder, job.newName))
    {
    }

    qint16 run()
    {
        qint16 stop = check();
        if (stop > 0)
            return stop;
        chooseWay();
        if (byRename_ && ownEntry_)
            return changeLetterCase();
        if ((stop = stage()) > 0 || (stop = setAsideWhatIsInTheWay()) > 0 || (stop = place()) > 0)
            return stop;
        return retireSource();
    }

private:
    qint16 check()
    {
        // A run's preview has checked every name already.
        if (!plan_ && !TargetNameCheck({job_.destinationFolder, job_.stagingFolder}).isUsable(job_.newName)) {
            platform::showMessage(unusableNameMessage(nameOf(job_.sourcePath), job_.newName));
            return ResultValue::Stop;
        }
        readPath_ = plan_ ? plan_->readPathOf(job_.sourcePath) : job_.sourcePath;
        // Names the preview counted as this one although spelt otherwise.
        caseVariants_ = plan_ && job_.overwrite ? plan_->caseVariantsOf(destination_) : QStringList();
        destinationMayBeTaken_ = !plan_ || plan_->mayHoldFileAt(destination_);
        destinationExists_ = destinationMayBeTaken_ && platform::fileExists(destination_);
        if ((destinationExists_ || !caseVariants_.isEmpty()) && group_) {
            // The file in the way may be a source still waiting to be deleted:
            // delete those first, as if each had gone right after its own copy.
            const qint16 stop = group_->finish();
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
        moving_ = job_.deleteSource || readPath_ != job_.sourcePath;
        // Within one volume a moved file is renamed into place: a rename never
        // leaves it in neither place, so nothing needs copying or flushing. A
        // source that cannot be deleted is copied, and stays, as across volumes.
        // "." names the folder also when it is the root.
        byRename_ = moving_
            && volumeMatchOf(platform::joinPath(folderOf(readPath_), QStringLiteral("."))) == platform::FileSystemMatch::Same
            && platform::isDeletableFile(readPath_);
        ownEntry_ = moving_ && isOwnEntry();
        // Bound for another volume than the staging folder's (a USB stick, a
        // share), a file is copied once, straight into a hidden file beside
        // its destination.
        stagedBeside_ = !byRename_ && volumeMatchOf(job_.stagingFolder) == platform::FileSystemMatch::Different;
    }

    // The destination is the source's own entry, under its name or another
    // spelling the folder does not tell from it.
    bool isOwnEntry() const
    {
        const QString source = plan_ ? plan_->inDestinationSpelling(readPath_) : readPath_;
        if (folderOf(source) == folderOf(destination_)) {
            const platform::LetterCase letterCase =
                plan_ ? plan_->letterCase() : platform::letterCaseOf(job_.destinationFolder);
            if (platform::nameKey(nameOf(source), letterCase) == platform::nameKey(job_.newName, letterCase))
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
        if (nameOf(path) == job_.newName)
            return ResultValue::Proceed;
        const QString hidden = setAsidePathFor(path);
        platform::FsError error = platform::noteTemporaryFile(hidden, path);
        if (!error.failed())
            error = platform::renameFile(path, hidden);
        if (!error.failed()) {
            error = platform::renameFile(hidden, destination_);
            // Should the way back fail too, the next start gives the file its name back.
            if (error.failed())
                platform::renameFile(hidden, path);
        }
        return error.failed() ? stopAt(error, destination_) : ResultValue::Proceed;
    }

    qint16 stage()
    {
        if (byRename_)
            return ResultValue::Proceed;
        staged_ = stagedBeside_ ? platform::partPathBeside(destination_)
                                : platform::joinPath(job_.stagingFolder, job_.newName);
        platform::FsError error = stagedBeside_ ? platform::noteTemporaryFile(staged_) : platform::FsError{};
        if (error.failed())
            return stopAt(error, destination_);
        // A replaced file is gone for good: its successor must be on disk
        // first. A moved source waits for its copy to be on disk anyway
        // (MovedSources flushes a whole group at once); a copy across is
        // flushed before it takes its name.
        const bool replacing = destinationExists_ || !caseVariants_.isEmpty();
        error = platform::copyFile(readPath_, staged_, replacing || (stagedBeside_ && !job_.deleteSource), &copied_);
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

    platform::FsError placeOnce()
    {
        // A user's file renamed never falls back to a copy: its deletion is MovedSources' to check.
        const QString from = byRename_ ? readPath_ : staged_;
        const platform::AcrossVolumes across = byRename_ ? platform::AcrossVolumes::Refuse : platform::AcrossVolumes::Copy;
        return destinationExists_ ? platform::replaceFile(from, destination_, across)
                                  : platform::renameFile(from, destination_, across);
    }

    qint16 place()
    {
        // Two names of one file (its own entry went another way): renaming
        // one onto the other does nothing; the destination holds the data.
        secondName_ = byRename_ && destinationExists_ && platform::isSameFile(readPath_, destination_);
        platform::FsError error = secondName_ ? platform::FsError{} : placeOnce();
        if (byRename_ && error.number == platform::ErrorNumber::OtherVolume) {
            // Another mount of the same disk, where renames cannot pass: copied after all.
            byRename_ = false;
            stagedBeside_ = true;
            const qint16 stop = stage();
            if (stop > 0)
                return stop;
            error = placeOnce();
        }
        if (error.number == platform::ErrorNumber::FileAlreadyExists && !destinationExists_
            && platform::fileExists(destination_)) {
            // A file the plan could not foresee holds the name: as if found before copying.
            if (!job_.overwrite) {
                if (!byRename_)
                    platform::discardTemporaryFile(staged_);
                platform::showMessage(destinationClashMessage(destination_));
                return ResultValue::Stop;
            }
            // It may be a source not read yet, reached by a spelling the plan does not know.
            error = plan_ ? plan_->setAsideUnreadReaching(destination_) : platform::FsError{};
            // The staged copy is on the destination's file system.
            if (!error.failed() && !byRename_)
                error = platform::flushFileSystem(job_.destinationFolder);
            destinationExists_ = true;
            if (!error.failed())
                error = placeOnce();
        }
        if (error.failed())
            return stopPlacing(error);
        if (plan_)
            plan_->markPlaced(job_.sourcePath, destination_);
        return ResultValue::Proceed;
    }

    // A hidden copy beside the destination that cannot be placed goes at
    // once, not only at the next start.
    qint16 stopPlacing(const platform::FsError& error)
    {
        if (stagedBeside_ && !staged_.isEmpty())
            platform::discardTemporaryFile(staged_);
        return stopAt(error, destination_);
    }

    qint16 retireSource()
    {
        // Renamed into place, or copied onto its own entry: nothing is left to delete.
        if (!moving_ || ownEntry_ || (byRename_ && !secondName_))
            return ResultValue::Proceed;
        const platform::FileStamp stamp = secondName_ ? platform::stampOf(readPath_) : copied_;
        return group_ ? group_->add(readPath_, job_.destinationFolder, stamp)
                      : MovedSources::deleteNow(readPath_, job_.destinationFolder, stamp);
    }

    const CopyJob& job_;
    PlacementPlan* plan_;
    MovedSources* group_;
    QString destination_;
    QString readPath_;  // the source, or its set-aside file
    QString staged_;
    QStringList caseVariants_;
    bool destinationMayBeTaken_ = true;
    bool destinationExists_ = false;
    bool moving_ = false;
    bool byRename_ = false;
    bool stagedBeside_ = false;
    bool ownEntry_ = false;
    bool secondName_ = false;
    platform::FileStamp copied_;
};

}  // namespace

QString destinationClashMessage(const QString& destinationPath)
{
    return QStringLiteral("コピー先に同一ファイルがあります。") + destinationPath
        + QStringLiteral(" のコピーはできませんでした。");
}

qint16 copyOneFile(const CopyJob& job)
{
    return Placement(job).run();
}

}  // namespace FileOps
