#include "file_ops/undo_offer.h"
#include "support/temp_tree.h"

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
    const platform::FileStamp stamp{1, 2, 3, 4, 5};
    {
        FileOps::RunJournal journal(folder, FileOps::RunKind::Move);
        // b is set aside, then never placed: nothing of it is left to undo.
        for (const platform::FsError& step :
             {journal.plan({tree.path("s"), tree.path("d")}, {{0, "a", 1, "a"}, {0, "b", 1, "b"}, {0, "c", 1, "c"}, {0, "d", 1, "d"}}),
              journal.replacing(0, tree.path("d/a"), entry, stamp), journal.placed(0, FileOps::PlacedWay::Renamed, stamp, true),
              journal.replacing(1, tree.path("d/b"), entry, stamp), journal.placed(2, FileOps::PlacedWay::Moved, stamp, true),
              journal.end()})
            ASSERT_FALSE(step.failed());
    }
    const FileOps::UndoOffer told = FileOps::newestUndoableRun(folder);
    ASSERT_TRUE(told.exists());
    const struct timespec later[2] = {{0, UTIME_OMIT}, {1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(told.journalPath).constData(), later, 0), 0);
    const FileOps::UndoOffer read = FileOps::newestUndoableRun(folder);
    for (const FileOps::UndoOffer& offer : {told, read}) {
        EXPECT_EQ(offer.journalPath, told.journalPath);
        EXPECT_EQ(offer.kind, FileOps::RunKind::Move);
        EXPECT_EQ(offer.files, 2);
        EXPECT_EQ(offer.replaced, 1);
        EXPECT_EQ(offer.folderName, QStringLiteral("c"));
        EXPECT_EQ(offer.startedMs, told.startedMs);
    }
}
