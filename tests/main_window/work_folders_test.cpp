#include "main_window/work_folders.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>
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
        EXPECT_TRUE(message.contains(folder) && message.contains("Error- ")) << message.toStdString();
    }
    if (mounted)
        ::umount(QFile::encodeName(readOnly).constData());
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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

// Installed is what has the installed manual beside it, wherever it lies and
// whoever may write there.
TEST(WorkFolders, AProgramWithTheInstalledManualBesideItIsInstalled)
{
    TempTree tree;
    const QString relativeManual = QDir(tree.path("prefix/bin")).relativeFilePath(WorkFolders::manualPath(tree.path("prefix/bin"), true));
    tree.writeFile("prefix/" + relativeManual.mid(3));  // what ../ leads to
    tree.writeFile("build/manual.html");
    tree.makeFolder("bare");
    tree.makeFolder("prefix/bin");
    tree.setReadOnly("build");
    const QList<QPair<QString, bool>> cases{{"prefix/bin", true}, {"build", false}, {"bare", false}};
    for (const auto& [folder, installed] : cases) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_EQ(WorkFolders::isInstalled(tree.path(folder)), installed);
        EXPECT_EQ(WorkFolders::baseFolder(tree.path(folder)) == tree.path(folder), !installed);
    }
}

TEST(WorkFolders, AnInstalledProgramOpensTheManualUnderShareAndABuildTheOneBesideIt)
{
    EXPECT_EQ(WorkFolders::manualPath("/home/ann/velda/build", false), "/home/ann/velda/build/manual.html");
    const QString installed = WorkFolders::manualPath("/usr/bin", true);
    EXPECT_TRUE(installed.startsWith("/usr/share/velda1")) << installed.toStdString();
    EXPECT_TRUE(installed.endsWith("/manual.html")) << installed.toStdString();
}
