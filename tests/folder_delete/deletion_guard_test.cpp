#include "folder_delete/deletion_guard.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using DeletionGuard::refusal;

TEST(DeletionGuard, RefusesRootsHoweverTheyAreWritten)
{
    EXPECT_EQ(refusal("/", {}), DeletionGuard::rootMessage());
    EXPECT_EQ(refusal("/tmp/..", {}), DeletionGuard::rootMessage());
    EXPECT_EQ(refusal("//", {}), DeletionGuard::rootMessage());
}

TEST(DeletionGuard, RefusesTheProgramFolderItsWorkFoldersAndWhatHoldsThem)
{
    TempTree tree;
    const QString program = tree.makeFolder("apps/velda");
    const QString temp = tree.makeFolder("apps/velda/TEMP");
    tree.makeFolder("apps/other");
    const QStringList kept{program, temp};
    EXPECT_EQ(refusal(program, kept), DeletionGuard::programFolderMessage());
    EXPECT_EQ(refusal(temp, kept), DeletionGuard::programFolderMessage());
    EXPECT_EQ(refusal(tree.path("apps"), kept), DeletionGuard::programFolderMessage());
    EXPECT_EQ(refusal(tree.path("apps/velda/../velda/"), kept), DeletionGuard::programFolderMessage());
    ASSERT_EQ(::symlink(QFile::encodeName(program).constData(), QFile::encodeName(tree.path("link")).constData()), 0);
    EXPECT_EQ(refusal(tree.path("link"), kept), DeletionGuard::programFolderMessage());
    EXPECT_EQ(refusal(tree.path("apps/other"), kept), "");
    EXPECT_EQ(refusal(tree.path("apps/vel"), kept), "");
}
