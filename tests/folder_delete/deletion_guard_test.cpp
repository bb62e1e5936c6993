#include "folder_delete/deletion_guard.h"
#include "support/temp_tree.h"
#include "support/test_mount.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using DeletionGuard::refusal;

// Roots however they are written, the program folder, its work folders and
// whatever holds them are refused, also by way of a link.
TEST(DeletionGuard, RefusesRootsAndTheProgramFolderHoweverTheyAreWritten)
{
    TempTree tree;
    const QString program = tree.makeFolder("apps/velda");
    const QString temp = tree.makeFolder("apps/velda/TEMP");
    tree.makeFolder("apps/other");
    ASSERT_EQ(::symlink(QFile::encodeName(program).constData(), QFile::encodeName(tree.path("link")).constData()), 0);
    const QString root = DeletionGuard::rootMessage(), held = DeletionGuard::programFolderMessage();
    const QString cases[][2] = {
        {"/", root}, {"/tmp/..", root}, {"//", root}, {program, held}, {temp, held}, {tree.path("apps"), held},
        {tree.path("apps/velda/../velda/"), held}, {tree.path("link"), held}, {tree.path("apps/other"), ""},
        {tree.path("apps/vel"), ""}};
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c[0], {program, temp}), c[1]) << c[0].toStdString();
}

// Any volume's root counts, whatever its device is called: a tmpfs or a bind
// mount of a folder, as network shares are named "server:/export".
TEST(DeletionGuard, RefusesTheRootOfEveryKindOfMount)
{
    TempTree tree;
    tree.writeFile("elsewhere/keep.txt");
    for (const QString& from : {QString(), tree.path("elsewhere")}) {
        const QString at = tree.makeFolder(from.isEmpty() ? "tmpfs" : "bound");
        TestMount mount;
        if (!mount.attach(at, from))
            GTEST_SKIP() << "mounting needs privileges this run lacks";
        EXPECT_EQ(refusal(at, {}), DeletionGuard::rootMessage()) << at.toStdString();
        EXPECT_EQ(refusal(at + "/..", {}), "");
    }
}
