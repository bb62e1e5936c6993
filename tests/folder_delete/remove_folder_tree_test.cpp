#include "folder_delete/remove_folder_tree.h"
#include "platform/fault_injection.h"
#include "shared/run_progress.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using MarlowFuncUtility::RemoveFolderTree;
using platform::EntryScope;

namespace {

class RemoveFolderTreeTest : public ::testing::Test {
protected:
    void TearDown() override { platform::clearInjectedFaults(); }

    ScriptedMessages messages;
    TempTree tree;
};

}  // namespace

TEST_F(RemoveFolderTreeTest, RemovesFilesSubfoldersAndTheTopFolderSilently)
{
    tree.writeFile("T/a.txt");
    tree.writeFile("T/noext");
    tree.writeFile("T/A/b.txt");
    tree.writeFile("T/A/B/c.txt");
    tree.writeFile("T/C/d.txt");
    tree.makeFolder("T/empty");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 0);
    EXPECT_FALSE(tree.exists("T"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, AnEmptyOrMissingTopFolderIsNoFailure)
{
    tree.makeFolder("empty");
    EXPECT_EQ(RemoveFolderTree(tree.path("empty")), 0);
    EXPECT_FALSE(tree.exists("empty"));
    EXPECT_EQ(RemoveFolderTree(tree.path("never-there")), 0);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, AReadOnlyFileDeepInTheTreeStopsTheRunWithOneMessage)
{
    tree.writeFile("T/top.txt");
    tree.writeFile("T/A/B/locked.txt");
    tree.writeFile("T/A/B/other.txt");
    tree.setReadOnly("T/A/B/locked.txt");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 75") + QChar(13)));
    EXPECT_TRUE(tree.exists("T/A/B/locked.txt"));
    EXPECT_TRUE(tree.exists("T/top.txt"));
}

TEST_F(RemoveFolderTreeTest, HiddenEntriesAreNeverSeenSoTheirFolderStays)
{
    tree.writeFile("T/visible.txt");
    tree.writeFile("T/.hidden-folder/inside.txt");
    tree.writeFile("T/.hidden-file");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 75")));
    EXPECT_FALSE(tree.exists("T/visible.txt"));
    EXPECT_TRUE(tree.exists("T/.hidden-folder/inside.txt"));
    EXPECT_TRUE(tree.exists("T/.hidden-file"));
}

TEST_F(RemoveFolderTreeTest, TheWorkFolderScopeRemovesHiddenAndSystemEntriesToo)
{
    tree.writeFile("W/.hidden-folder/inside.txt");
    tree.writeFile("W/.hidden-file");
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path("W/pipe")).constData(), 0600), 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("W"), EntryScope::All), 0);
    EXPECT_FALSE(tree.exists("W"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, LinksAreRemovedAsEntriesAndTheirTargetsAreNeverTouched)
{
    tree.writeFile("outside/keep.txt");
    tree.writeFile("outside/sub/keep-too.txt");
    tree.writeFile("T/file.txt");
    tree.makeFolder("T/A");
    ASSERT_EQ(::symlink(QFile::encodeName(tree.path("outside")).constData(),
                        QFile::encodeName(tree.path("T/A/to-folder")).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(tree.path("outside/keep.txt")).constData(),
                        QFile::encodeName(tree.path("T/to-file")).constData()), 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 0);
    EXPECT_FALSE(tree.exists("T"));
    EXPECT_EQ(tree.readFile("outside/keep.txt"), "x");
    EXPECT_TRUE(tree.exists("outside/sub/keep-too.txt"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, ALinkGivenAsTheFolderIsRemovedAloneItsTargetKept)
{
    tree.writeFile("target/keep.txt");
    ASSERT_EQ(::symlink(QFile::encodeName(tree.path("target")).constData(),
                        QFile::encodeName(tree.path("link")).constData()), 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("link") + "/"), 0);
    EXPECT_FALSE(tree.exists("link"));
    EXPECT_EQ(tree.readFile("target/keep.txt"), "x");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, AFolderThatCannotBeRemovedStopsTheRunBeforeItsParent)
{
    tree.writeFile("T/A/a.txt");
    tree.writeFile("T/t.txt");
    platform::injectFault(platform::FileOperation::RemoveFolder, 57, "/T/A");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last(), QStringLiteral("Error- 57") + QChar(13) + QStringLiteral("デバイス I/O エラーです。"));
    EXPECT_FALSE(tree.exists("T/A/a.txt"));
    EXPECT_TRUE(tree.exists("T/A"));
    EXPECT_TRUE(tree.exists("T/t.txt"));
}

TEST_F(RemoveFolderTreeTest, AFolderThatVanishedBeforeItsRemovalCountsAsRemoved)
{
    tree.writeFile("T/A/a.txt");
    platform::injectFault(platform::FileOperation::RemoveFolder, 76, "/T/A");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    // The injected 76 is excused; the parent then still holds A, which fails with 75.
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 75")));
}

namespace {

// The user cancels once a file has gone.
class CancelAfterFirstFile : public RunProgressView {
public:
    void begin() override {}
    bool update(const RunProgressFigures& figures, bool) override { return figures.filesDone > 0; }
    void end() override {}
};

}  // namespace

TEST_F(RemoveFolderTreeTest, CancelStopsAfterTheFolderBeingEmptied)
{
    tree.writeFile("T/A/B/c.txt");
    tree.writeFile("T/A/b.txt");
    tree.writeFile("T/x.txt");
    RunProgress::setTimingForTests(0, 0);
    CancelAfterFirstFile view;
    RunProgress progress(&view, 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("T"), EntryScope::OrdinaryOnly, &progress), 9);
    RunProgress::setTimingForTests(500, 100);
    EXPECT_EQ(progress.cancelledText(), QStringLiteral("中止しました。（1 ファイル）"));
    EXPECT_EQ(tree.names("T"), (QStringList{"A", "x.txt"}));
    EXPECT_EQ(tree.names("T/A"), QStringList{"b.txt"});
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RemoveFolderTreeTest, AFolderWhoseEntriesCannotBeReadStopsTheRunBeforeAnythingGoes)
{
    tree.writeFile("T/t.txt");
    tree.writeFile("T/A/a.txt");
    platform::injectFault(platform::FileOperation::ReadEntries, 57, "/T/A");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 57") + QChar(13)));
    EXPECT_TRUE(tree.exists("T/t.txt"));
    EXPECT_TRUE(tree.exists("T/A/a.txt"));
}

// Deeper than any path the system accepts: only a walk by folder handles gets there.
TEST_F(RemoveFolderTreeTest, ATreeDeeperThanThePathLimitIsRemoved)
{
    const QByteArray name(30, 'n');
    int fd = ::open(QFile::encodeName(tree.makeFolder("T")).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int level = 0; level < 200; ++level) {
        ASSERT_EQ(::mkdirat(fd, name.constData(), 0755), 0);
        const int inner = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(inner, 0);
        fd = inner;
        const int file = ::openat(fd, "f.txt", O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(file, 0);
        ::close(file);
    }
    ::close(fd);
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 0);
    EXPECT_FALSE(tree.exists("T"));
    EXPECT_TRUE(messages.texts().isEmpty());
}
