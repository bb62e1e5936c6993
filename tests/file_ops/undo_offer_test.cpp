#include "file_ops/run_recovery.h"
#include "file_ops/undo_offer.h"
#include "platform/trash.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

// The menu takes a finished run's offer from the run, not from its journal:
// both must say the same, and a journal changed since is read again.
TEST(UndoOffer, ARunOffersWhatItsJournalSays)
{
    TempTree tree;
    const QString folder = tree.path("journal");
    const platform::TrashEntry entry{tree.path("Trash"), QStringLiteral("old")};
    {
        FileOps::RunJournal journal(folder, FileOps::RunKind::Move);
        ASSERT_FALSE(journal.plan({tree.path("s"), tree.path("d")},
                                  {{0, "a", 1, "a"}, {0, "b", 1, "b"}, {0, "c", 1, "c"}, {0, "d", 1, "d"}})
                         .failed());
        const platform::FileStamp stamp{1, 2, 3, 4, 5};
        EXPECT_FALSE(journal.replacing(0, tree.path("d/a"), entry, stamp).failed());
        EXPECT_FALSE(journal.placed(0, FileOps::PlacedWay::Renamed, stamp, true).failed());
        // Set aside, then never placed: nothing of it is left to undo.
        EXPECT_FALSE(journal.replacing(1, tree.path("d/b"), entry, stamp).failed());
        EXPECT_FALSE(journal.placed(2, FileOps::PlacedWay::Moved, stamp, true).failed());
        ASSERT_FALSE(journal.end().failed());
    }
    const FileOps::UndoOffer told = FileOps::newestUndoableRun(folder);
    ASSERT_TRUE(told.exists());
    const QByteArray journalPath = QFile::encodeName(told.journalPath);
    const struct timespec later[2] = {{0, UTIME_OMIT}, {1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, journalPath.constData(), later, 0), 0);
    const FileOps::UndoOffer read = FileOps::newestUndoableRun(folder);
    for (const FileOps::UndoOffer& offer : {told, read}) {
        EXPECT_EQ(offer.journalPath, told.journalPath);
        EXPECT_EQ(offer.kind, FileOps::RunKind::Move);
        EXPECT_EQ(offer.files, 2);
        EXPECT_EQ(offer.replaced, 1);
        EXPECT_EQ(offer.folderName, QStringLiteral("c"));
    }
    EXPECT_EQ(read.startedMs, told.startedMs);
}

// A run cut short by a kill is settled at the next start and stays undoable;
// one killed before it did anything leaves no journal.
TEST(UndoOffer, ARunCutShortIsOfferedOnceSettled)
{
    TempTree tree;
    const QString folder = tree.path("journal");
    for (const bool placedOne : {true, false}) {
        SCOPED_TRACE(placedOne ? "one file placed" : "nothing done");
        {
            FileOps::RunJournal journal(folder, FileOps::RunKind::Move);
            ASSERT_FALSE(journal.plan({tree.path("s"), tree.path("d")}, {{0, "a", 1, "a"}}).failed());
            if (placedOne) {
                EXPECT_FALSE(journal.placed(0, FileOps::PlacedWay::Renamed, platform::FileStamp{}, true).failed());
            }
        }
        EXPECT_FALSE(FileOps::settleInterruptedRuns(folder).firstError.failed());
        EXPECT_EQ(FileOps::journalPaths(folder).size(), placedOne ? 1 : 0);
        EXPECT_EQ(FileOps::newestUndoableRun(folder).files, placedOne ? 1 : 0);
        QDir(folder).removeRecursively();
    }
}
