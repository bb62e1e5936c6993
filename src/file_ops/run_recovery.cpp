#include "file_ops/run_recovery.h"

#include "file_ops/journal_reader.h"
#include "file_ops/placement_plan.h"
#include "file_ops/undo_offer.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/name_rules.h"
#include "platform/path_parts.h"
#include "platform/trash.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace FileOps {

namespace {

enum class Settled { Done, Kept };

bool isTemporaryName(const QString& path, const QString& suffix)
{
    const QString name = platform::nameOf(path);
    return name.startsWith(QStringLiteral(".velda-")) && name.endsWith(suffix);
}

bool lookUp(const QString& path, struct stat& info)
{
    return ::lstat(platform::encodeFileName(path).constData(), &info) == 0;
}

// Nothing at path: Done, unless its folder is gone too (a stick unplugged),
// whose turn comes when the folder is back.
Settled absent(const QString& path)
{
    return errno == ENOENT && !platform::folderExists(platform::parentOf(path)) ? Settled::Kept : Settled::Done;
}

class Settler {
public:
    explicit Settler(Recovery& recovery) : recovery_(recovery) {}

    Settled settle(const JournalRecord& step)
    {
        if (step.tag() == JournalTag::Hold)
            return giveBack(step.path(0), step.path(1));
        if (step.tag() == JournalTag::Part)
            return removePart(step.path(0));
        if (step.tag() == JournalTag::Replacing)
            return undoReplacement(step.path(1), platform::TrashEntry{step.path(2), step.path(3)});
        return forgetEmptyReservation(platform::TrashEntry{step.path(2), step.path(3)});
    }

    // Copies placed after the last flush, before a power loss: one whose
    // bytes are not its source's never came to be, and what it replaced
    // comes back from the trash. One written after the journal's last
    // record is the user's work since.
    Settled checkUnflushed(const JournalRun& run, const JournalRun::Item& item, const platform::FileStamp& journal)
    {
        if (item.way == PlacedWay::Renamed)
            return Settled::Done;
        const QString destination = run.destinationPath(item);
        const QString source = run.sourcePath(item);
        const platform::FileStamp now = platform::stampOf(destination);
        if (std::make_pair(now.modifiedSeconds, now.modifiedNanoseconds)
            > std::make_pair(journal.modifiedSeconds, journal.modifiedNanoseconds))
            return Settled::Done;
        if (!platform::fileExists(source) || !platform::fileExists(destination)
            || platform::haveSameContent(source, destination))
            return Settled::Done;
        if (platform::deleteFile(destination).failed())
            return failed(platform::makeError(platform::ErrorNumber::PathFileAccess));
        Settled settled = Settled::Done;
        for (const JournalRun::Trashed& replaced : item.replaced) {
            if (undoReplacement(replaced.path, replaced.entry) == Settled::Kept)
                settled = Settled::Kept;
        }
        return settled;
    }

private:
    Settled failed(const platform::FsError& error)
    {
        if (!recovery_.firstError.failed())
            recovery_.firstError = error;
        return Settled::Kept;
    }

    Settled giveBack(const QString& hold, const QString& original)
    {
        struct stat info;
        if (!lookUp(hold, info))
            return absent(hold);
        // A hold is a file or a link the run set aside, never a folder.
        if (!isTemporaryName(hold, QStringLiteral(".hold")) || S_ISDIR(info.st_mode))
            return Settled::Done;
        const QString target = platform::firstFreePath(original);
        const platform::FsError error = platform::renameFile(hold, target);
        if (error.failed())
            return failed(error);
        recovery_.restored.append({original, target});
        return Settled::Done;
    }

    Settled removePart(const QString& part)
    {
        struct stat info;
        if (!lookUp(part, info))
            return absent(part);
        if (!isTemporaryName(part, QStringLiteral(".part")) || !S_ISREG(info.st_mode))
            return Settled::Done;
        if (::unlink(platform::encodeFileName(part).constData()) != 0)
            return failed(platform::errorFromErrno(errno, part));
        return Settled::Done;
    }

    // Killed between putting the old file in the trash and placing its
    // successor: the old file stays, its second name in the trash going, or
    // comes back from the trash under its name.
    Settled undoReplacement(const QString& path, const platform::TrashEntry& entry)
    {
        struct stat trashed, current;
        if (!lookUp(entry.filePath(), trashed)) {
            if (absent(entry.filePath()) == Settled::Kept)
                return Settled::Kept;
            return forgetEmptyReservation(entry);
        }
        if (lookUp(path, current)) {
            if (current.st_ino == trashed.st_ino && current.st_dev == trashed.st_dev)
                platform::dropTrashLink(entry);
            return Settled::Done;
        }
        if (absent(path) == Settled::Kept)
            return Settled::Kept;
        const platform::FsError error = platform::restoreFromTrash(entry, path);
        return error.failed() ? failed(error) : Settled::Done;
    }

    // A name reserved in the trash that no file took.
    Settled forgetEmptyReservation(const platform::TrashEntry& entry)
    {
        struct stat info;
        if (lookUp(entry.filePath(), info))
            return Settled::Done;
        if (absent(entry.filePath()) == Settled::Kept)
            return Settled::Kept;
        ::unlink(platform::encodeFileName(entry.infoPath()).constData());
        return Settled::Done;
    }

    Recovery& recovery_;
};

QByteArray currentBootId()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("-");
}

void noteError(const platform::FsError& error, Recovery& recovery)
{
    if (error.failed() && !recovery.firstError.failed())
        recovery.firstError = error;
}

// path holds the file the journal noted, unchanged.
bool holdsAsNoted(const QString& path, const platform::FileStamp& stamp)
{
    return platform::stampOf(path).isAsLeft(stamp, platform::keepsInodeNumbers(platform::parentOf(path)));
}

// Copied into place just before the kill, before the journal could say so:
// the name of the file it replaced holds another file now. Its source was
// never deleted, so it is a copy, to be undone as one.
void noteCopiedIntoPlace(JournalRun& run, int index, RunJournal& journal, Recovery& recovery)
{
    JournalRun::Item& item = run.items[index];
    if (item.placed || item.renaming || item.replaced.isEmpty())
        return;
    const JournalRun::Trashed& old = item.replaced.last();
    if (!platform::stampOf(old.path).exists() || holdsAsNoted(old.path, old.stamp))
        return;
    item.placed = true;
    item.stamp = platform::stampOf(run.destinationPath(item));
    item.onDisk = false;
    run.unflushedItems.append(index);
    noteError(journal.placed(index, PlacedWay::Copied, item.stamp, false), recovery);
}

void settleJournal(const QString& path, Recovery& recovery)
{
    // As the run left it: reopening may cut a last record short.
    const platform::FileStamp lastRecord = platform::stampOf(path);
    RunJournal journal;
    JournalRun run;
    // One a running program holds is its own to finish.
    if (!journal.reopen(path) || journalEnded(path) || !readJournalRun(path, run) || run.finished)
        return;
    Settler settler(recovery);
    const int restoredBefore = int(recovery.restored.size());
    bool kept = false;
    for (int i = int(run.unsettledSteps.size()) - 1; i >= 0; --i)
        kept = settler.settle(run.unsettledSteps.at(i)) == Settled::Kept || kept;
    for (int i = 0; i < run.items.size() && !run.undoing; ++i)
        noteCopiedIntoPlace(run, i, journal, recovery);
    if (run.bootId != currentBootId()) {
        for (const int item : std::as_const(run.unflushedItems))
            kept = settler.checkUnflushed(run, run.items.at(item), lastRecord) == Settled::Kept || kept;
    }
    // Renamed into place just before the kill, before the journal could say so.
    for (int i = 0; i < run.items.size() && !run.undoing; ++i) {
        JournalRun::Item& item = run.items[i];
        if (item.renaming && !item.placed && holdsAsNoted(run.destinationPath(item), item.stamp)) {
            item.placed = true;
            noteError(journal.placed(i, PlacedWay::Renamed, item.stamp, true), recovery);
        }
    }
    for (int i = restoredBefore; i < recovery.restored.size(); ++i) {
        const auto& [original, path] = recovery.restored.at(i);
        if (path != original)
            noteError(journal.returned(original, path, platform::stampOf(path)), recovery);
    }
    if (kept)
        return;
    // What a run cut short did stays undoable; one that did nothing leaves no journal.
    const bool didSomething = std::any_of(run.items.cbegin(), run.items.cend(), [](const JournalRun::Item& item) {
        return item.placed || item.deleted || !item.replaced.isEmpty();
    });
    if (!run.undoing && !didSomething) {
        journal.discard();
        return;
    }
    // The undo ends here as if cancelled: what it left stays offered.
    if (run.undoing && std::any_of(run.items.cbegin(), run.items.cend(), isLeftToUndo))
        ++recovery.undoesCutShort;
    noteError(run.undoing ? journal.undoEnd() : journal.end(), recovery);
}

// The time a journal's name tells, as it was made (RunJournal).
QDateTime begunAt(const QString& path)
{
    QDateTime time = QDateTime::fromString(platform::nameOf(path).left(19), QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    time.setTimeSpec(Qt::UTC);
    return time;
}

}  // namespace

QStringList journalPaths(const QString& folder)
{
    QStringList paths;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Name | QDir::Reversed);
    for (const QString& name : names)
        paths.append(platform::joinPath(folder, name));
    return paths;
}

Recovery settleInterruptedRuns(const QString& folder)
{
    Recovery recovery;
    const QStringList paths = journalPaths(folder);
    // The oldest first: a later run may have met what an earlier one left.
    for (int i = int(paths.size()) - 1; i >= 0; --i)
        settleJournal(paths.at(i), recovery);
    return recovery;
}

void recoverInterruptedRuns(const QString& folder)
{
    const Recovery recovery = settleInterruptedRuns(folder);
    for (const auto& file : recovery.restored) {
        if (file.first != file.second)
            platform::showMessage(keptUnderMessage(file.first, file.second));
    }
    if (recovery.undoesCutShort > 0)
        platform::showMessage(QStringLiteral("前回の「元に戻す」は途中で中断されました。"
                                             "もう一度「元に戻す」を選ぶと、残りのファイルを元に戻します。"));
    if (recovery.firstError.failed())
        platform::showError(recovery.firstError);
    pruneJournals(folder);
}

void pruneJournals(const QString& folder, const QDateTime& now)
{
    const QStringList paths = journalPaths(folder);
    for (int i = 0; i < paths.size(); ++i) {
        const QDateTime begun = begunAt(paths.at(i));
        if (i < UndoableRuns && begun.isValid() && begun.daysTo(now) < UndoableDays)
            continue;
        RunJournal journal;
        JournalRun run;
        if (journal.reopen(paths.at(i))
            && (journalEnded(paths.at(i)) || (readJournalRun(paths.at(i), run) && run.finished)))
            QFile::remove(paths.at(i));
    }
}

}  // namespace FileOps
