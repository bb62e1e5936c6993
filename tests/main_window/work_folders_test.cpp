#include "main_window/work_folders.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

TEST(WorkFolders, OneRunningCopyHoldsTheLockAndOneLeftByAnEndedCopyIsTakenOver)
{
    TempTree tree;
    {
        WorkFolders::Lock first(tree.root());
        ASSERT_TRUE(first.tryAcquire());
        WorkFolders::Lock second(tree.root());
        EXPECT_FALSE(second.tryAcquire());
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

TEST(WorkFolders, OnlyAProgramInTheUsersOwnWritableFolderOutsideUsrIsRunFromItsFolder)
{
    struct Case {
        const char* folder;
        bool ownedByUser;
        bool writable;
        bool installed;
    };
    const Case cases[] = {
        {"/home/ann/velda/build", true, true, false},
        {"", true, true, false},
        {"/usr/bin", true, true, true},        // root owns and may write /usr/bin
        {"/usr/local/bin", false, false, true},
        {"/usr", true, true, true},
        {"/usrdata/velda", true, true, false},
        {"/opt/velda", false, true, true},     // root runs another user's build
        {"/home/ann/velda/build", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(WorkFolders::isInstalled(c.folder, c.ownedByUser, c.writable), c.installed);
    }
}

TEST(WorkFolders, AnInstalledProgramOpensTheManualUnderShareAndABuildTheOneBesideIt)
{
    EXPECT_EQ(WorkFolders::manualPath("/home/ann/velda/build", false), "/home/ann/velda/build/manual.html");
    const QString installed = WorkFolders::manualPath("/usr/bin", true);
    EXPECT_TRUE(installed.startsWith("/usr/share/velda1")) << installed.toStdString();
    EXPECT_TRUE(installed.endsWith("/manual.html")) << installed.toStdString();
}
