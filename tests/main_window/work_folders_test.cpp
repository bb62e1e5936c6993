#include "main_window/work_folders.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

TEST(WorkFolders, OneRunningCopyHoldsTheLockAndASecondIsRefused)
{
    TempTree tree;
    WorkFolders::Lock first(tree.root());
    ASSERT_TRUE(first.tryAcquire());
    WorkFolders::Lock second(tree.root());
    EXPECT_FALSE(second.tryAcquire());
}

TEST(WorkFolders, ALockLeftByAnEndedCopyIsTakenOver)
{
    TempTree tree;
    {
        WorkFolders::Lock ended(tree.root());
        ASSERT_TRUE(ended.tryAcquire());
    }
    WorkFolders::Lock next(tree.root());
    EXPECT_TRUE(next.tryAcquire());
}

TEST(WorkFolders, RecreatingEmptiesAFolderAndRemovingTouchesNothingElse)
{
    ScriptedMessages messages;
    TempTree tree;
    tree.writeFile("TEMP/old.txt");
    tree.writeFile("TEMP/.partial");
    tree.writeFile("MELTING/keep.txt");
    WorkFolders::recreate(tree.path("TEMP"));
    EXPECT_TRUE(tree.exists("TEMP"));
    EXPECT_TRUE(tree.names("TEMP").isEmpty());
    WorkFolders::remove(tree.path("TEMP"));
    EXPECT_FALSE(tree.exists("TEMP"));
    EXPECT_TRUE(tree.exists("MELTING/keep.txt"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST(WorkFolders, TheProgramFolderIsStoredWithoutATrailingSeparator)
{
    EXPECT_EQ(WorkFolders::programFolderFrom("/opt/velda/"), "/opt/velda");
    EXPECT_EQ(WorkFolders::programFolderFrom("/opt/velda"), "/opt/velda");
}
