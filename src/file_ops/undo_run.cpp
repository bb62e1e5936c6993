#include "file_ops/undo_run.h"

#include "file_ops/journal_reader.h"
#include "file_ops/run_placements.h"
#include "file_ops/undo_offer.h"
#include "platform/file_name_codec.h"
#include "platform/data_progress.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"
#include "platform/trash.h"
#include "shared/run_progress.h"

#include <QHash>
#include <QMap>

#include <algorithm>

namespace FileOps {

namespace {

// Names in the message before "ほか N 個".
constexpr int NamedLeft = 5;

// What undoing an item takes away from where the run put it.
enum class TakeAway {
    Copy,     // a copy goes to the trash
    Move,     // a moved file is set aside, to go back under its old name
    Nothing,  // a deletion: the run put nothing anywhere
};

// How far a step got: Left for now (a file changed, a name taken), to be
// tried again later; Lost where it never can be (its file is gone), named
// once and then settled.
enum class Step { Done, Lost, Left };

struct Taken {
    int item;
    QString hold;  // a moved file set aside; empty when nothing was
    bool lost = false;
    Step earlierPlacements = Step::Done;  // how those it replaced came back
};

// A file going back across volumes keeps the progress window alive; it is
// on its way, and Cancel does not stop it.
class DataShown : public platform::DataProgress {
public:
    explicit DataShown(RunProgress& progress) : progress_(progress) {}
    bool written(qint64 bytes) override
    {
        progress_.written(bytes);
        return true;
    }

private:
    RunProgress& progress_;
};

class Undo {
public:
    Undo(JournalRun& run, RunJournal& journal, RunProgress& progress, UndoOutcome& outcome)
        : run_(run), journal_(journal), progress_(progress), outcome_(outcome), placements_(run)
    {
    }

    // Everything the run placed is taken away first, newest first, a moved
    // file straight back to its old name where that is free; then the moved
    // files set aside go back and old files come back: a chain or a cycle of
    // names (renumbering in place) frees each name before it is wanted.
    void undo()
    {
        QVector<Taken> taken;
        for (int i = int(run_.items.size()) - 1; i >= 0 && !outcome_.error.failed(); --i) {
            const JournalRun::Item& item = run_.items.at(i);
            if (!isLeftToUndo(item))
                continue;
            if (!progress_.step(nameOf(item))) {
                outcome_.cancelled = true;
                break;
            }
            Taken next{i, QString()};
            const Step step = takeAway(item, next);
            next.lost = step == Step::Lost;
            if (step == Step::Left) {
                leave(item);
                continue;
            }
            next.earlierPlacements = bringBackEarlierPlacements(item);
            taken.append(next);
        }
        putBackMovedFiles(taken);
        for (const Taken& item : std::as_const(taken)) {
            if (item.item >= 0)
                bringBackWhatItReplaced(item);
        }
        outcome_.left = left_.values();
        if (!outcome_.cancelled && !outcome_.error.failed())
            giveReturnedFilesTheirNames();
    }

private:
    // They come back as soon as their successor is gone, for their own
    // item, undone next, to find them where the run put them.
    Step bringBackEarlierPlacements(const JournalRun::Item& item)
    {
        Step worst = Step::Done;
        for (const JournalRun::Trashed& old : item.replaced) {
            if (placements_.isEarlierPlacement(old.entry.filePath()))
                worst = std::max(worst, bringBack(old));
        }
        return worst;
    }

    // A file set aside when a kill cut the run short came back beside its
    // name, then held by a placed file that the undo has now taken away.
    void giveReturnedFilesTheirNames()
    {
        for (const JournalRun::Returned& file : std::as_const(run_.returned)) {
            if (!isAsLeft(file.path, file.stamp))
                continue;
            if (platform::renameFile(file.path, file.originalPath).failed())
                outcome_.left.append(platform::readableFileName(platform::nameOf(file.path)));
        }
    }

    TakeAway takeAwayFor(const JournalRun::Item& item) const
    {
        if (!item.placed)
            return TakeAway::Nothing;
        // A moved source that is still there makes its copy a copy. One gone
        // with no record of it (a kill, a full journal) makes it the only copy.
        const bool moved = item.way == PlacedWay::Renamed
            || (item.way == PlacedWay::Moved
                && (item.sourceDeleted || !platform::pathExists(run_.sourcePath(item))));
        return moved ? TakeAway::Move : TakeAway::Copy;
    }

    Step takeAway(const JournalRun::Item& item, Taken& taken)
    {
        const TakeAway what = takeAwayFor(item);
        if (what == TakeAway::Nothing)
            return Step::Done;
        const QString destination = run_.destinationPath(item);
        const platform::FileStamp now = platform::stampOf(destination);
        // Taken away already by an undo that a kill cut short: a copy is in
        // the trash, a moved file back under its old name.
        if (what == TakeAway::Move && !isAsLeft(destination, now, item.stamp)) {
            // Copied back across volumes, it is another inode there.
            const QString source = run_.sourcePath(item);
            if (item.way == PlacedWay::Moved ? platform::stampOf(source).isAsLeft(item.stamp, false)
                                             : isAsLeft(source, item.stamp))
                return Step::Done;
            // A file on a stick that is out may be back later.
            return now.exists() || !platform::folderExists(platform::parentOf(destination)) ? Step::Left : Step::Lost;
        }
        if (!now.exists())
            return Step::Done;
        // A copy in the trash already, and what it replaced back in its place.
        if (!isAsLeft(destination, now, item.stamp))
            return holdsWhatItReplaced(item) ? Step::Done : Step::Left;
        if (what == TakeAway::Copy) {
            platform::TrashEntry entry;
            const int index = taken.item;
            const platform::FsError error = platform::moveToTrash(
                destination, entry, now, [this, index, &destination, &now](const platform::TrashEntry& reserved) {
                    return noted(journal_.trashing(index, destination, reserved, now));
                });
            return error.failed() ? Step::Left : Step::Done;
        }
        // With its old name free it goes straight back; else it waits aside
        // until the files that hold old names have left them.
        const QString source = run_.sourcePath(item);
        if (!platform::pathExists(source)) {
            const platform::FsError error = moveBack(destination, source);
            if (error.number != platform::ErrorNumber::FileAlreadyExists)
                return error.failed() ? Step::Left : Step::Done;
        }
        // Copied back already by an undo that a kill cut short before the
        // moved file went: only the moved file is left to go.
        if (item.way == PlacedWay::Moved && platform::stampOf(source).isAsLeft(item.stamp, false)
            && platform::haveSameContent(source, destination))
            return platform::deleteFile(destination).failed() ? Step::Left : Step::Done;
        // A file the run did not put there holds the old name (made since):
        // this one stays where it is, its place not freed for another.
        if (!placements_.holdsPlacedFile(source))
            return Step::Left;
        const QString hold = platform::holdPathBeside(destination);
        if (noted(journal_.hold(hold, destination)).failed() || platform::renameFile(destination, hold).failed())
            return Step::Left;
        taken.hold = hold;
        return Step::Done;
    }

    bool holdsWhatItReplaced(const JournalRun::Item& item)
    {
        return std::any_of(item.replaced.cbegin(), item.replaced.cend(),
                           [this](const JournalRun::Trashed& old) { return isAsLeft(old.path, old.stamp); });
    }

    // One rename, or across volumes a copy on disk under its old name before the moved file goes.
    platform::FsError moveBack(const QString& from, const QString& source)
    {
        const platform::FsError error = platform::renameFile(from, source);
        return error.number == platform::ErrorNumber::OtherVolume ? copyBack(from, source) : error;
    }

    // Moved files set aside go back to their old names. Where a name is
    // taken or cannot be reached, a file goes back to where the run put it,
    // while every such place is still free. The rest are journaled as going
    // to their old names before any goes: a start after a kill finishes the
    // way back instead of meeting files already back.
    void putBackMovedFiles(QVector<Taken>& taken)
    {
        QVector<Taken*> renamed, copied;
        for (Taken& item : taken) {
            if (item.hold.isEmpty())
                continue;
            const QString source = run_.sourcePath(run_.items.at(item.item));
            if (platform::pathExists(source) || !platform::folderExists(platform::parentOf(source)))
                giveUp(item);
            else if (platform::compareFileSystems(platform::parentOf(item.hold), platform::parentOf(source))
                     == platform::FileSystemMatch::Same)
                renamed.append(&item);
            else
                copied.append(&item);
        }
        for (Taken* item : std::as_const(renamed)) {
            if (noted(journal_.hold(item->hold, run_.sourcePath(run_.items.at(item->item)))).failed())
                giveUp(*item);
        }
        for (Taken* item : renamed + copied) {
            if (item->item < 0)
                continue;
            // On its way: it goes back even after Cancel.
            progress_.step(nameOf(run_.items.at(item->item)));
            const QString source = run_.sourcePath(run_.items.at(item->item));
            if (moveBack(item->hold, source).failed())
                giveUp(*item);
        }
    }

    // Back where the run put it; should another file have gone back there
    // meanwhile, beside it in sight, to take its name at the next undo.
    void giveUp(Taken& taken)
    {
        const JournalRun::Item& item = run_.items.at(taken.item);
        const QString destination = run_.destinationPath(item);
        if (platform::renameFile(taken.hold, destination).number == platform::ErrorNumber::FileAlreadyExists) {
            const QString beside = platform::firstFreePath(destination);
            if (!platform::renameFile(taken.hold, beside).failed())
                static_cast<void>(noted(journal_.returned(destination, beside, platform::stampOf(beside))));
        }
        leave(item);
        taken.item = -1;
    }

    platform::FsError copyBack(const QString& from, const QString& source)
    {
        const QString part = platform::partPathBeside(source);
        platform::FsError error = noted(journal_.part(part));
        DataShown shown(progress_);
        platform::FileStamp copied;
        if (!error.failed())
            error = platform::copyFile(from, part, platform::CopyFlush::Durable, &copied, nullptr, &shown);
        // Changed while it was copied: it stays where it is, as it is now.
        if (!error.failed() && !isAsLeft(from, copied))
            error = platform::makeError(platform::ErrorNumber::PathFileAccess, from);
        if (!error.failed())
            error = platform::renameFile(part, source);
        if (error.failed()) {
            platform::discardTemporaryFile(part);
            return error;
        }
        // Should it stay, it is a second copy, at the destination.
        return platform::deleteFile(from);
    }

    void bringBackWhatItReplaced(const Taken& taken)
    {
        const JournalRun::Item& item = run_.items.at(taken.item);
        Step worst = std::max(taken.lost ? Step::Lost : Step::Done, taken.earlierPlacements);
        if (item.deleted)
            worst = std::max(worst, bringBack(item.deletion));
        for (const JournalRun::Trashed& old : item.replaced) {
            if (!placements_.isEarlierPlacement(old.entry.filePath()))
                worst = std::max(worst, bringBack(old));
        }
        if (worst != Step::Done)
            leave(item);
        if (worst == Step::Left || noted(journal_.undone(taken.item)).failed())
            return;
        ++outcome_.undone;
        progress_.done();
    }

    // An entry of the trash back under its old name, unless that is taken
    // or the entry changed; Done also when it is back already.
    Step bringBack(const JournalRun::Trashed& trashed)
    {
        const QString inTrash = trashed.entry.filePath();
        const platform::FileStamp inTrashNow = platform::stampOf(inTrash);
        if (!inTrashNow.exists()) {
            if (isAsLeft(trashed.path, trashed.stamp))
                return Step::Done;
            // A trash out of reach (its stick unplugged) may be back later.
            return platform::folderExists(platform::parentOf(inTrash)) ? Step::Lost : Step::Left;
        }
        if (platform::pathExists(trashed.path) || !isAsLeft(inTrash, inTrashNow, trashed.stamp))
            return Step::Left;
        return platform::restoreFromTrash(trashed.entry, trashed.path).failed() ? Step::Left : Step::Done;
    }

    // The file the journal noted, unchanged, now being what path holds. A
    // folder tree's own size and times change with what is in it: only its
    // inode tells. Where the file system makes inode numbers up, only size
    // and time can tell.
    bool isAsLeft(const QString& path, const platform::FileStamp& now, const platform::FileStamp& then)
    {
        if (run_.kind != RunKind::FolderDeletion)
            return now.isAsLeft(then, keepsInodeNumbers(platform::parentOf(path)));
        return now.exists() && (now.inode == then.inode || !keepsInodeNumbers(platform::parentOf(path)));
    }

    bool isAsLeft(const QString& path, const platform::FileStamp& then)
    {
        return isAsLeft(path, platform::stampOf(path), then);
    }

    bool keepsInodeNumbers(const QString& folder)
    {
        auto known = keepsInodes_.constFind(folder);
        if (known == keepsInodes_.constEnd())
            known = keepsInodes_.insert(folder, platform::keepsInodeNumbers(folder));
        return *known;
    }

    platform::FsError noted(const platform::FsError& error)
    {
        if (error.failed() && !outcome_.error.failed())
            outcome_.error = error;
        return error;
    }

    QString nameOf(const JournalRun::Item& item) const
    {
        return platform::readableFileName(item.placed ? item.planned.newName : platform::nameOf(item.deletion.path));
    }

    void leave(const JournalRun::Item& item) { left_.insert(int(&item - run_.items.constData()), nameOf(item)); }

    JournalRun& run_;
    RunJournal& journal_;
    RunProgress& progress_;
    UndoOutcome& outcome_;
    QHash<QString, bool> keepsInodes_;  // by folder
    RunPlacements placements_;
    QMap<int, QString> left_;  // in the order of the run
};

}  // namespace

UndoOutcome undoRun(const QString& journalPath, RunProgress& progress)
{
    UndoOutcome outcome;
    RunJournal journal;
    JournalRun run;
    // Held by a run or undo of another program still going.
    if (!journal.reopen(journalPath) || !readJournalRun(journalPath, run)) {
        outcome.error = platform::makeError(platform::ErrorNumber::PathFileAccess, journalPath);
        return outcome;
    }
    outcome.error = journal.undoBegin();
    if (outcome.error.failed())
        return outcome;
    Undo(run, journal, progress, outcome).undo();
    const platform::FsError ended = journal.undoEnd();
    if (!outcome.error.failed())
        outcome.error = ended;
    return outcome;
}

QString undoLeftMessage(const QStringList& left)
{
    QString text = QStringLiteral("元に戻せなかったファイル: ") + left.mid(0, NamedLeft).join(QStringLiteral(", "));
    if (left.size() > NamedLeft)
        text += QStringLiteral(", ほか %1 個").arg(left.size() - NamedLeft);
    return text;
}

}  // namespace FileOps
