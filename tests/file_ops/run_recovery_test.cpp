#include "file_ops/journal_reader.h"
#include "file_ops/placement_plan.h"
#include "file_ops/run_journal.h"
#include "file_ops/run_recovery.h"
#include "file_ops/undo_offer.h"
#include "file_ops/undo_run.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/trash.h"
#include "shared/run_progress.h"
#include "support/private_data_home.h"
#include "support/temp_tree.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using FileOps::RunJournal;

namespace {

bool journalsFinished(const TempTree& tree)
{
    for (const QString& path : FileOps::journalPaths(tree.path("journal"))) {
        FileOps::JournalRun run;
        if (!FileOps::readJournalRun(path, run) || !run.finished)
            return false;
    }
    return true;
}

// A finished run that placed s/a.txt, or one of its own, at d/a.txt, which is there.
void journalOneFile(const TempTree& tree, FileOps::RunKind kind, FileOps::PlacedWay way)
{
    RunJournal journal(tree.path("journal"), kind);
    for (const platform::FsError& step :
         {journal.plan({tree.path("s"), tree.path("d")}, {FileOps::PlannedFile{0, "a.txt", 1, "a.txt"}}),
          journal.placed(0, way, platform::stampOf(tree.path("d/a.txt")), true), journal.end()})
        ASSERT_FALSE(step.failed());
}

// Undoes the run the menu offers.
FileOps::UndoOutcome undoOffered(const TempTree& tree)
{
    RunProgress progress(nullptr, 0);
    return FileOps::undoRun(FileOps::newestUndoableRun(tree.path("journal")).journalPath, progress);
}

}  // namespace

// Only the temporaries the journal of a killed run names are settled, and
// only while they are the program's own kind of file: half-made copies go,
// set-aside files and links get their names back, or the first free one.
TEST(RunRecovery, SettlesWhatTheJournalNamesAlone)
{
    TempTree tree;
    for (const char* file : {".velda-0000abcd.part", ".velda-\n1.part", "keep.txt", ".velda-00001234.part"})
        tree.writeFile(QStringLiteral("dst/") + file);
    tree.makeFolder("dst/.velda-folder.part");
    const QString heldFree = tree.writeFile("dst/.velda-1.hold", "p3");
    const QString heldTaken = tree.writeFile("dst/.velda-2.hold", "p2");
    const QString heldLink = tree.path("dst/.velda-3.hold");
    ASSERT_TRUE(QFile::link("keep.txt", heldLink));
    tree.writeFile("dst/p2.txt", "p1");
    tree.writeFile("dst/p2 (2).txt", "other");
    tree.writeRaw("sjis/.velda-4.hold", "sjis");  // its name in Shift_JIS bytes
    {
        RunJournal killed(tree.path("journal"), FileOps::RunKind::Move);
        for (const char* part : {".velda-0000abcd.part", ".velda-\n1.part", "keep.txt", ".velda-folder.part", ".velda-gone.part"})
            EXPECT_FALSE(killed.part(tree.path(QStringLiteral("dst/") + part)).failed());
        const QString sjisName = platform::decodeFileName(tree.path("sjis").toUtf8() + "/\x83\x65.txt");
        for (const auto& [held, name] : {std::pair{heldFree, tree.path("dst/p3.txt")}, {heldTaken, tree.path("dst/p2.txt")},
                                         {heldLink, tree.path("dst/link")}, {tree.path("sjis/.velda-4.hold"), sjisName}})
            EXPECT_FALSE(killed.hold(held, name).failed());
        // A running program's journal is its own.
        EXPECT_TRUE(FileOps::settleInterruptedRuns(tree.path("journal")).restored.isEmpty());
    }

    const FileOps::Recovery recovery = FileOps::settleInterruptedRuns(tree.path("journal"));
    EXPECT_FALSE(recovery.firstError.failed());
    EXPECT_EQ(tree.names("dst"), (QStringList{".velda-00001234.part", ".velda-folder.part", "keep.txt", "link",
                                              "p2 (2).txt", "p2 (3).txt", "p2.txt", "p3.txt"}));
    EXPECT_EQ(tree.readFile("dst/p2 (3).txt") + tree.readFile("dst/p3.txt"), "p2p3");
    EXPECT_EQ(QFile::symLinkTarget(tree.path("dst/link")), tree.path("dst/keep.txt"));
    EXPECT_EQ(tree.readRaw("sjis/\x83\x65.txt"), "sjis");
    EXPECT_EQ(recovery.restored.size(), 4);
    EXPECT_TRUE(journalsFinished(tree));
    EXPECT_TRUE(FileOps::settleInterruptedRuns(tree.path("journal")).restored.isEmpty());
}

// What cannot be settled at a start (its folder gone with an unplugged
// stick) stays on record for the next one; a set-aside file whose name is
// taken comes back under a free one even at the limit on names.
TEST(RunRecovery, WhatCannotBeSettledIsKeptForTheNextStart)
{
    TempTree tree;
    const QString longName = QString(251, 'p') + ".txt";
    tree.writeFile("stick/.velda-1.hold", "held on the stick");
    tree.writeFile("disk/.velda-2.hold", "held long");
    tree.writeFile("disk/" + longName, "taker");
    {
        RunJournal killed(tree.path("journal"), FileOps::RunKind::Move);
        EXPECT_FALSE(killed.hold(tree.path("stick/.velda-1.hold"), tree.path("stick/p.txt")).failed());
        EXPECT_FALSE(killed.hold(tree.path("disk/.velda-2.hold"), tree.path("disk/" + longName)).failed());
    }
    ASSERT_TRUE(QFile::rename(tree.path("stick"), tree.path("unplugged")));

    EXPECT_EQ(FileOps::settleInterruptedRuns(tree.path("journal")).restored.size(), 1);
    EXPECT_EQ(tree.names("disk"), (QStringList{QString(247, 'p') + " (2).txt", longName}));
    EXPECT_FALSE(journalsFinished(tree));

    ASSERT_TRUE(QFile::rename(tree.path("unplugged"), tree.path("stick")));
    EXPECT_EQ(FileOps::settleInterruptedRuns(tree.path("journal")).restored.size(), 1);
    EXPECT_EQ(tree.readFile("stick/p.txt"), "held on the stick");
    EXPECT_TRUE(journalsFinished(tree));
}

// Runs stay undoable while among the newest 20 and younger than 30 days; an
// unsettled journal stays whatever its age. Each row keeps the first kept of
// its journals, the one at unfinishedAt (if any) never ended.
TEST(RunRecovery, PrunesJournalsOfRunsThatCanNoLongerBeUndone)
{
    const QDateTime now = QDateTime::fromString("2024-07-12T10:00:00Z", Qt::ISODate);
    const struct { const char* what; QVector<qint64> hoursAgo; int unfinishedAt, kept; } cases[] = {
        {"the newest 20", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}, -1, 20},
        {"younger than 30 days", {1, 29 * 24, 31 * 24}, -1, 2},
        {"unsettled", {1, 40 * 24}, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        QStringList names;
        for (int i = 0; i < c.hoursAgo.size(); ++i) {
            names.append(now.addSecs(-3600 * c.hoursAgo.at(i)).toString("yyyyMMdd-HHmmss-zzz") + "-1.journal");
            tree.writeFile("journal/" + names.last(),
                           QByteArray("velda-journal 1 copy 0 -\n") + (i == c.unfinishedAt ? "" : "end\n"));
        }
        names = names.mid(0, c.kept);
        names.sort();
        FileOps::pruneJournals(tree.path("journal"), now);
        EXPECT_EQ(tree.names("journal"), names);
    }
}

// Killed while replacing a file: the old file stays, or comes back, under its
// name unless its successor took the name, then undoing the run brings it
// back; a name reserved in the trash that no file took is given up.
TEST(RunRecovery, AnInterruptedReplacementKeepsTheOldFile)
{
    enum class Moment { Reserved, InTrash, Replaced };
    const struct { const char* what; bool link; Moment killedAt; } cases[] = {
        {"name reserved", true, Moment::Reserved}, {"linked, not replaced", true, Moment::InTrash},
        {"moved, not replaced", false, Moment::InTrash}, {"replaced", true, Moment::Replaced},
        {"moved and replaced", false, Moment::Replaced},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        const ScopedDataHome dataHome(tree.path("data"));
        const QString destination = tree.writeFile("dst/a.txt", "old");
        {
            RunJournal killed(tree.path("journal"), FileOps::RunKind::Copy);
            ASSERT_FALSE(killed.plan({tree.path("src"), tree.path("dst")}, {{0, "a.txt", 1, "a.txt"}}).failed());
            platform::TrashEntry entry;
            const auto note = [&](const platform::TrashEntry& reserved) {
                EXPECT_FALSE(killed.replacing(0, destination, reserved, platform::stampOf(destination)).failed());
                // Killed right after the note: the name is reserved, nothing moved.
                return platform::makeError(c.killedAt == Moment::Reserved ? platform::ErrorNumber::DeviceIo : 0);
            };
            bool linked = false;
            const platform::FsError error = c.link ? platform::keepInTrash(destination, entry, linked, note)
                                                   : platform::moveToTrash(destination, entry, std::nullopt, note);
            ASSERT_TRUE(c.killedAt == Moment::Reserved || !error.failed());
            // Rebuilt as a kill would leave it: the reservation stays.
            if (c.killedAt == Moment::Reserved)
                tree.writeFile("data/Trash/info/a.txt.trashinfo", "[Trash Info]\n");
            if (c.killedAt == Moment::Replaced) {
                QFile::remove(destination);
                tree.writeFile("dst/a.txt", "new");
            }
        }
        EXPECT_FALSE(FileOps::settleInterruptedRuns(tree.path("journal")).firstError.failed());
        const bool replaced = c.killedAt == Moment::Replaced;
        EXPECT_EQ(tree.readFile("dst/a.txt"), QByteArray(replaced ? "new" : "old"));
        EXPECT_EQ(tree.names("data/Trash/files") + tree.names("data/Trash/info"),
                  replaced ? (QStringList{"a.txt", "a.txt.trashinfo"}) : QStringList());
        EXPECT_TRUE(journalsFinished(tree));
        const FileOps::UndoOffer offer = FileOps::newestUndoableRun(tree.path("journal"));
        ASSERT_EQ(offer.exists(), replaced);
        RunProgress progress(nullptr, 0);
        EXPECT_TRUE(!replaced || FileOps::undoRun(offer.journalPath, progress).left.isEmpty());
        EXPECT_EQ(tree.readFile("dst/a.txt"), "old");
    }
}

// Names come back from the journal byte for byte, "-" (which alone stands
// for an empty field) and bytes that are no text included.
TEST(RunRecovery, JournalKeepsEveryName)
{
    TempTree tree;
    QVector<FileOps::PlannedFile> planned;
    for (const QString& name : {QString("-"), QString("--"), QString("a b%41"), QString("line\nbreak"),
                                QStringLiteral("写真 1.jpg"), platform::decodeFileName(QByteArray("caf\xe9.txt"))})
        planned.append({0, name, 0, name + "-"});
    RunJournal journal(tree.path("journal"), FileOps::RunKind::Copy);
    ASSERT_FALSE(journal.plan({tree.path("d")}, planned).failed());
    FileOps::JournalRun run;
    ASSERT_TRUE(FileOps::readJournalRun(journal.path(), run));
    ASSERT_EQ(run.items.size(), planned.size());
    for (int i = 0; i < planned.size(); ++i)
        EXPECT_EQ(run.items.at(i).planned.name + "|" + run.items.at(i).planned.newName,
                  planned.at(i).name + "|" + planned.at(i).newName);
}

// A journal counts as ended from its last whole line alone, never from a
// piece of a long record that happens to read like an end.
TEST(RunRecovery, TellsAnEndedJournalFromItsLastLine)
{
    const QByteArray head = "velda-journal 1 copy 1 -\nwant 0 0 a.txt 1 b.txt\n";
    const struct { QByteArray tail; bool ended; } cases[] = {
        {"end\n", true}, {"end\nundo 5\nundone 0\nundo-end\n", true}, {"end\nundo 5\n", false},
        {"placed 0 copied unflushed 1 2 3 4\n", false}, {"end\nplac", false},
        {"part /" + QByteArray(80, 'x') + "/weekend " + QByteArray(59, 'y') + "\n", false},
    };
    TempTree tree;
    for (const auto& c : cases) {
        const QString path = tree.writeFile("j.journal", head + c.tail);
        EXPECT_EQ(FileOps::journalEnded(path), c.ended) << c.tail.constData();
        // Ended only where the whole reading finds the run finished too.
        FileOps::JournalRun run;
        ASSERT_TRUE(FileOps::readJournalRun(path, run));
        EXPECT_TRUE(run.finished || !c.ended) << c.tail.constData();
    }
}

// After a power loss, a copy placed but not yet on disk that lacks its
// source's bytes never came to be: it goes, and the file it replaced comes
// back from the trash. A copy that holds its source's bytes stays, and so
// does one the user changed since.
TEST(RunRecovery, APowerLossTakesBackOnlyTheCopiesThatNeverCameToBe)
{
    TempTree tree;
    ScopedDataHome home(tree.path("home"));
    const QString folder = tree.path("journal");
    const QStringList names{"whole.txt", "cut.txt", "edited.txt"};
    for (const QString& name : names) {
        tree.writeFile("s/" + name, "new " + name.toUtf8());
        tree.writeFile("d/" + name, "old " + name.toUtf8());
    }
    {
        RunJournal journal(folder, FileOps::RunKind::Copy);
        ASSERT_FALSE(journal.plan({tree.path("s"), tree.path("d")},
                                  {{0, names[0], 1, names[0]}, {0, names[1], 1, names[1]}, {0, names[2], 1, names[2]}})
                         .failed());
        for (int item = 0; item < names.size(); ++item) {
            const QString destination = tree.path("d/" + names[item]);
            const platform::FileStamp old = platform::stampOf(destination);
            platform::TrashEntry entry;
            ASSERT_FALSE(platform::moveToTrash(destination, entry, std::nullopt, [&](const platform::TrashEntry& e) {
                             return journal.replacing(item, destination, e, old);
                         }).failed());
            // What a power loss leaves of a copy not yet on disk: here, nothing of its bytes.
            tree.writeFile("d/" + names[item], item == 0 ? "new " + names[item].toUtf8() : QByteArray());
            ASSERT_FALSE(journal.placed(item, FileOps::PlacedWay::Copied, platform::stampOf(destination), false).failed());
        }
    }
    // The next start comes after another boot.
    const QString journal = QDir(tree.root()).relativeFilePath(FileOps::journalPaths(folder).value(0));
    QByteArray records = tree.readFile(journal);
    const int bootId = int(records.lastIndexOf(' ', records.indexOf('\n'))) + 1;
    tree.writeFile(journal, records.replace(bootId, records.indexOf('\n') - bootId, "another-boot"));
    QFile edited(tree.writeFile("d/edited.txt", "by hand"));
    ASSERT_TRUE(edited.open(QIODevice::Append)
                && edited.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    edited.close();

    EXPECT_FALSE(FileOps::settleInterruptedRuns(folder).firstError.failed());
    EXPECT_EQ(tree.readFile("d/whole.txt") + ", " + tree.readFile("d/cut.txt") + ", " + tree.readFile("d/edited.txt"),
              "new whole.txt, old cut.txt, by hand");
}

// A renumbering cut short while a file was set aside: the next start gives that file back beside its
// name, held then by a placed file, and the run stays undoable; undone, every file has its own name
// again, also one renamed into place before its journal said so. A run that placed nothing leaves no
// journal.
TEST(UndoKilledRun, EveryFileGetsItsOwnNameBack)
{
    enum class Kill { BeforeRename, BeforePlacedRecord, AfterPlacedRecord };
    for (const Kill kill : {Kill::BeforeRename, Kill::BeforePlacedRecord, Kill::AfterPlacedRecord}) {
        SCOPED_TRACE(int(kill));
        TempTree tree;
        const QString folder = tree.path("journal");
        tree.writeFile("d/a.txt", "a");
        tree.writeFile("d/b.txt", "b");
        {
            RunJournal journal(folder, FileOps::RunKind::Move);
            ASSERT_FALSE(journal.plan({tree.path("d")}, {{0, "a.txt", 0, "b.txt"}, {0, "b.txt", 0, "c.txt"}}).failed());
            QString hold;
            ASSERT_FALSE(FileOps::setAside(tree.path("d/b.txt"), journal, hold).failed());
            const platform::FileStamp stamp = platform::stampOf(tree.path("d/a.txt"));
            ASSERT_FALSE(journal.renaming(0, stamp).failed());
            ASSERT_TRUE(kill == Kill::BeforeRename || !platform::renameFile(tree.path("d/a.txt"), tree.path("d/b.txt")).failed());
            ASSERT_TRUE(kill != Kill::AfterPlacedRecord || !journal.placed(0, FileOps::PlacedWay::Renamed, stamp, true).failed());
        }
        ASSERT_FALSE(FileOps::settleInterruptedRuns(folder).firstError.failed());
        EXPECT_EQ(FileOps::journalPaths(folder).isEmpty(), kill == Kill::BeforeRename);
        if (kill != Kill::BeforeRename) {
            ASSERT_EQ(tree.names("d"), (QStringList{"b (2).txt", "b.txt"}));
            EXPECT_EQ(undoOffered(tree).left, QStringList());
        }
        EXPECT_EQ(tree.names("d"), (QStringList{"a.txt", "b.txt"}));
        EXPECT_EQ(tree.readFile("d/a.txt") + tree.readFile("d/b.txt"), "ab");
    }
}

// An undo a kill cut short ends at the next start, which tells the user to
// choose it again while it left a file to undo.
TEST(UndoKilledRun, TheNextStartTellsOfAFileLeftToUndo)
{
    for (const bool everyFileUndone : {false, true}) {
        SCOPED_TRACE(everyFileUndone ? "every file undone" : "a file left to undo");
        TempTree tree;
        tree.writeFile("d/a.txt", "copy");
        journalOneFile(tree, FileOps::RunKind::Copy, FileOps::PlacedWay::Copied);
        {
            RunJournal journal;
            ASSERT_TRUE(journal.reopen(FileOps::journalPaths(tree.path("journal")).value(0)));
            ASSERT_FALSE(journal.undoBegin().failed());
            ASSERT_FALSE(everyFileUndone && journal.undone(0).failed());
        }
        const FileOps::Recovery recovery = FileOps::settleInterruptedRuns(tree.path("journal"));
        EXPECT_EQ(recovery.undoesCutShort, everyFileUndone ? 0 : 1);
        EXPECT_EQ(FileOps::newestUndoableRun(tree.path("journal")).exists(), !everyFileUndone);
    }
}

// A file renamed into place whose record the journal could not take, the disk
// full at that moment or the record cut short by a power loss, is still found
// by the next start, so that undoing the run gives it its old name back.
TEST(RunJournal, ARecordLostAfterARenameLeavesTheRunToTheNextStart)
{
    for (const bool diskFull : {true, false}) {
        SCOPED_TRACE(diskFull ? "disk full for the record, room again at the end" : "power lost while the record was written");
        TempTree tree;
        tree.writeFile("d/old.txt", "photo");
        {
            RunJournal journal(tree.path("journal"), FileOps::RunKind::Move);
            ASSERT_FALSE(journal.plan({tree.path("d")}, {FileOps::PlannedFile{0, "old.txt", 0, "new.txt"}}).failed());
            const platform::FileStamp stamp = platform::stampOf(tree.path("d/old.txt"));
            ASSERT_FALSE(journal.renaming(0, stamp).failed());
            ASSERT_TRUE(QDir().rename(tree.path("d/old.txt"), tree.path("d/new.txt")));
            if (diskFull) {
                // The file size limit stands in for a full disk.
                rlimit room{};
                ::getrlimit(RLIMIT_FSIZE, &room);
                const auto handler = std::signal(SIGXFSZ, SIG_IGN);
                const rlimit full{rlim_t(QFile(journal.path()).size()), room.rlim_max};
                ::setrlimit(RLIMIT_FSIZE, &full);
                EXPECT_TRUE(journal.placed(0, FileOps::PlacedWay::Renamed, stamp, true).failed());
                ::setrlimit(RLIMIT_FSIZE, &room);
                std::signal(SIGXFSZ, handler);
                EXPECT_FALSE(journal.end().failed());
            } else {
                QFile file(journal.path());
                ASSERT_TRUE(file.open(QIODevice::Append) && file.write("placed 0 ren") > 0);
            }
        }
        EXPECT_FALSE(FileOps::settleInterruptedRuns(tree.path("journal")).firstError.failed());
        EXPECT_TRUE(journalsFinished(tree));
        EXPECT_EQ(undoOffered(tree).undone, 1);
        EXPECT_EQ(tree.names("d"), QStringList{"old.txt"});
    }
}

// A moved source deleted with no record of it (a kill just after, a full
// journal) leaves its copy the only one: undo moves it back, never to the trash.
TEST(RunJournal, UndoMovesBackACopyWhoseSourceWentUnrecorded)
{
    TempTree tree;
    tree.writeFile("d/a.txt", "scan");
    tree.makeFolder("s");
    journalOneFile(tree, FileOps::RunKind::Move, FileOps::PlacedWay::Moved);
    EXPECT_EQ(undoOffered(tree).undone, 1);
    EXPECT_EQ(tree.names("s") + tree.names("d"), QStringList{"a.txt"});
    EXPECT_EQ(tree.readFile("s/a.txt"), "scan");
}
