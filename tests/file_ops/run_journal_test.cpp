#include "file_ops/journal_reader.h"
#include "file_ops/run_journal.h"
#include "file_ops/run_recovery.h"
#include "file_ops/undo_run.h"
#include "platform/file_system.h"
#include "shared/run_progress.h"
#include "support/private_data_home.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

// A file renamed into place whose record the journal could not take, the disk
// full at that moment or the record cut short by a power loss, is still found
// by the next start, so that undoing the run gives it its old name back.
TEST(RunJournal, ARecordLostAfterARenameLeavesTheRunToTheNextStart)
{
    const std::vector<std::pair<const char*, std::function<void(FileOps::RunJournal&, const platform::FileStamp&)>>>
        losses{
            {"disk full for the record, room again at the end",
             [](FileOps::RunJournal& journal, const platform::FileStamp& stamp) {
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
             }},
            {"power lost while the record was written",
             [](FileOps::RunJournal& journal, const platform::FileStamp&) {
                 QFile file(journal.path());
                 ASSERT_TRUE(file.open(QIODevice::Append));
                 file.write("placed 0 ren");
             }},
        };
    for (const auto& [loss, lose] : losses) {
        SCOPED_TRACE(loss);
        TempTree tree;
        const ScopedDataHome dataHome{tree.path("data")};
        tree.writeFile("d/old.txt", "photo");
        {
            FileOps::RunJournal journal(tree.path("journal"), FileOps::RunKind::Move);
            ASSERT_FALSE(journal.plan({tree.path("d")}, {FileOps::PlannedFile{0, "old.txt", 0, "new.txt"}}).failed());
            const platform::FileStamp stamp = platform::stampOf(tree.path("d/old.txt"));
            ASSERT_FALSE(journal.renaming(0, stamp).failed());
            ASSERT_TRUE(QDir().rename(tree.path("d/old.txt"), tree.path("d/new.txt")));
            lose(journal, stamp);
        }
        EXPECT_FALSE(FileOps::settleInterruptedRuns(tree.path("journal")).firstError.failed());
        FileOps::JournalRun run;
        ASSERT_TRUE(FileOps::readJournalRun(FileOps::journalPaths(tree.path("journal")).value(0), run));
        EXPECT_TRUE(run.finished);
        RunProgress progress(nullptr, 0);
        const FileOps::UndoOutcome outcome = FileOps::undoRun(FileOps::journalPaths(tree.path("journal")).value(0), progress);
        EXPECT_EQ(outcome.undone, 1);
        EXPECT_EQ(tree.names("d"), QStringList{"old.txt"});
    }
}

// A moved source deleted with no record of it (a kill just after, a full
// journal) leaves its copy the only one: undo moves it back, never to the trash.
TEST(RunJournal, UndoMovesBackACopyWhoseSourceWentUnrecorded)
{
    TempTree tree;
    const ScopedDataHome dataHome{tree.path("data")};
    tree.writeFile("d/a.txt", "scan");
    tree.makeFolder("s");
    {
        FileOps::RunJournal journal(tree.path("journal"), FileOps::RunKind::Move);
        ASSERT_FALSE(journal.plan({tree.path("s"), tree.path("d")}, {FileOps::PlannedFile{0, "a.txt", 1, "a.txt"}})
                         .failed());
        ASSERT_FALSE(
            journal.placed(0, FileOps::PlacedWay::Moved, platform::stampOf(tree.path("d/a.txt")), true).failed());
        ASSERT_FALSE(journal.end().failed());
    }
    RunProgress progress(nullptr, 0);
    EXPECT_EQ(FileOps::undoRun(FileOps::journalPaths(tree.path("journal")).value(0), progress).undone, 1);
    EXPECT_EQ(tree.readFile("s/a.txt"), "scan");
    EXPECT_FALSE(tree.exists("d/a.txt"));
}
