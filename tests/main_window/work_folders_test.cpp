#include "main_window/work_folders.h"
#include "support/temp_tree.h"

#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

using Outcome = WorkFolders::Lock::Outcome;

TEST(WorkFolders, OneRunningCopyHoldsTheLockAndOneLeftByAnEndedCopyIsTakenOver)
{
    TempTree tree;
    {
        WorkFolders::Lock first(tree.root());
        ASSERT_EQ(first.tryAcquire(), Outcome::Acquired);
        WorkFolders::Lock second(tree.root());
        EXPECT_EQ(second.tryAcquire(), Outcome::HeldByAnother);
    }
    WorkFolders::Lock next(tree.root());
    EXPECT_EQ(next.tryAcquire(), Outcome::Acquired);
}

// Made by root through sudo, or on a read-only file system: that is no
// second running copy, and the message says which folder and why.
TEST(WorkFolders, AWorkFolderThatCannotBeMadeOrWrittenIsNamedNotTakenAsAnotherCopy)
{
    TempTree tree;
    tree.writeFile("file");
    const QString readOnly = tree.makeFolder("read-only");
    const bool root = ::geteuid() == 0;
    const bool mounted = root && ::mount("tmpfs", QFile::encodeName(readOnly).constData(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    if (!root)
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QStringList folders{tree.path("file/velda16")};
    if (mounted || !root)
        folders << readOnly;
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        WorkFolders::Lock lock(folder);
        EXPECT_EQ(lock.tryAcquire(), Outcome::Unusable);
        const QString message = lock.unusableMessage();
        EXPECT_TRUE(message.count(folder) == 1 && message.contains("Error- ")) << message.toStdString();
    }
    if (mounted)
        ::umount(QFile::encodeName(readOnly).constData());
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
