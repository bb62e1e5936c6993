#include "folder_delete/deletion_guard.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

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
    for (const QByteArray& link : {QByteArray("link"), QByteArray("link\xff")})
        ASSERT_EQ(::symlink(QFile::encodeName(program).constData(), QFile::encodeName(tree.root()) + "/" + link), 0);
    const QString root = DeletionGuard::rootMessage(), held = DeletionGuard::programFolderMessage();
    const QString cases[][2] = {
        {"/", root}, {"/tmp/..", root}, {"//", root}, {program, held}, {temp, held}, {tree.path("apps"), held},
        {tree.path("apps/velda/../velda/"), held}, {tree.path("link"), held},
        {tree.root() + "/" + platform::decodeFileName("link\xff"), held}, {tree.path("apps/other"), ""},
        {tree.path("apps/vel"), ""}};
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c[0], {program, temp}), c[1]) << c[0].toStdString();
    // No link leads there: a bind mount shows the same folders under another path.
    const TestMount view(tree, TestMount::Kind::View, "view", "apps");
    for (const char* folder : {"view/velda", "view/velda/TEMP"})
        EXPECT_EQ(refusal(tree.path(folder), {program, temp}), view.mounted() ? held : "") << folder;
}

// Any volume's root counts, whatever its device is called: a network share
// ("server:/export"), a tmpfs, a bind mount of a folder.
TEST(DeletionGuard, RefusesTheRootOfEveryKindOfMount)
{
    TempTree tree;
    tree.writeFile("elsewhere/keep.txt");
    for (const TestMount::Kind kind : {TestMount::Kind::Share, TestMount::Kind::Tmpfs, TestMount::Kind::View}) {
        const TestMount mount(tree, kind, QStringLiteral("at%1").arg(int(kind)), "elsewhere");
        if (!mount.mounted())
            GTEST_SKIP() << "mounting needs privileges this run lacks";
        EXPECT_EQ(refusal(mount.folder(), {}), DeletionGuard::rootMessage()) << int(kind);
        EXPECT_EQ(refusal(mount.folder() + "/..", {}), "");
    }
}
