#include "main_window/work_folders.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

using Outcome = WorkFolders::Lock::Outcome;

TEST(WorkFolders, OneRunningCopyHoldsTheLockAndOneLeftByAnEndedCopyIsTakenOver)
{
    TempTree tree;
    {
        WorkFolders::Lock first(tree.root());
        ASSERT_EQ(first.tryAcquire(), Outcome::Acquired);
        EXPECT_EQ(WorkFolders::Lock(tree.root()).tryAcquire(), Outcome::HeldByAnother);
    }
    EXPECT_EQ(WorkFolders::Lock(tree.root()).tryAcquire(), Outcome::Acquired);
}

// Made by root through sudo, or on a read-only file system: that is no
// second running copy, and the message says which folder and why.
TEST(WorkFolders, AWorkFolderThatCannotBeMadeOrWrittenIsNamedNotTakenAsAnotherCopy)
{
    TempTree tree;
    tree.writeFile("file");
    TestMount readOnly(tree, TestMount::Kind::Tmpfs, "read-only");
    QStringList folders{tree.path("file/velda16")};
    if (readOnly.mounted() && readOnly.remountReadOnly())
        folders << readOnly.folder();
    for (const QString& folder : folders) {
        WorkFolders::Lock lock(folder);
        EXPECT_EQ(lock.tryAcquire(), Outcome::Unusable) << folder.toStdString();
        const QString message = lock.unusableMessage();
        EXPECT_TRUE(message.count(folder) == 1 && message.contains("Error- ")) << message.toStdString();
    }
}
