#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/file_name_codec.h"
#include "platform/volume_root.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>


namespace {

QStringList texts(const platform::DirListBox& list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result.append(list.item(i)->text().trimmed());
    return result;
}

}  // namespace

// A folder named in Shift_JIS shows in Japanese, opens, and its name shows in the chain above.
TEST(DirListBox, ShowsTheFoldersAboveAndTheOrdinarySubfoldersBelow)
{
    TempTree tree;
    const QString top = tree.makeFolder("top");
    tree.makeFolder("top/beta");
    tree.makeFolder("top/Alpha");
    tree.makeFolder("top/.hidden");
    tree.writeFile("top/file.txt");
    QFile::link(tree.path("top/beta"), tree.path("top/link"));
    tree.writeRaw("top/\x83\x65\x83\x58\x83\x67/f");

    platform::DirListBox list;
    int changes = 0;
    list.onChange([&] { ++changes; });
    ASSERT_FALSE(list.setPath(top + "/").failed());
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 1);
    const QStringList shown = texts(list);
    const int depth = top.count(QLatin1Char('/'));
    ASSERT_EQ(shown.size(), depth + 1 + 3);
    EXPECT_EQ(shown.first(), "/");
    EXPECT_EQ(shown.at(depth), "top");
    EXPECT_EQ(shown.mid(depth + 1), QStringList({"Alpha", "beta", QStringLiteral("テスト")}));
    EXPECT_EQ(list.currentRow(), depth);
    EXPECT_EQ(list.folderAt(depth + 1), tree.path("top/Alpha"));

    list.openEntry(depth + 3);
    EXPECT_EQ(platform::encodeFileName(list.path()), platform::encodeFileName(top) + "/\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(texts(list).last(), QStringLiteral("テスト"));
    EXPECT_EQ(changes, 2);
    list.openEntry(depth);
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 3);

    // The same folder is read again without a change; a missing one fails.
    const int before = list.count();
    tree.makeFolder("top/new");
    EXPECT_FALSE(list.setPath(top).failed());
    EXPECT_EQ(list.count(), before + 1);
    EXPECT_EQ(list.setPath(tree.path("nowhere")).number, 76);
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 3);
}

TEST(DriveListBox, ListsTheRootFirstAndFollowsAPathWithoutAChange)
{
    EXPECT_EQ(platform::DriveListBox::volumeRoots().first(), "/");
    platform::DriveListBox drives;
    int changes = 0;
    drives.onChange([&] { ++changes; });
    EXPECT_EQ(drives.itemData(0).toString(), "/");
    TempTree tree;
    drives.setDrive(tree.root());
    EXPECT_EQ(drives.drive(), platform::volumeRootOf(tree.root()));
    EXPECT_TRUE(tree.root().startsWith(drives.drive()));
    EXPECT_EQ(changes, 0);
    Q_EMIT drives.activated(0);
    EXPECT_EQ(changes, 1);
}
