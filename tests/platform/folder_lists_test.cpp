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

TEST(DirListBox, ShowsTheFoldersAboveAndTheOrdinarySubfoldersBelow)
{
    TempTree tree;
    const QString top = tree.makeFolder("top");
    tree.makeFolder("top/beta");
    tree.makeFolder("top/Alpha");
    tree.makeFolder("top/.hidden");
    tree.writeFile("top/file.txt");
    QFile::link(tree.path("top/beta"), tree.path("top/link"));

    platform::DirListBox list;
    int changes = 0;
    list.onChange([&] { ++changes; });
    ASSERT_FALSE(list.setPath(top + "/").failed());
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 1);
    const QStringList shown = texts(list);
    const int depth = top.count(QLatin1Char('/'));
    ASSERT_EQ(shown.size(), depth + 1 + 2);
    EXPECT_EQ(shown.first(), "/");
    EXPECT_EQ(shown.at(depth), "top");
    EXPECT_EQ(shown.mid(depth + 1), QStringList({"Alpha", "beta"}));
    EXPECT_EQ(list.currentRow(), depth);
    EXPECT_EQ(list.folderAt(depth + 1), tree.path("top/Alpha"));

    list.openEntry(depth + 2);
    EXPECT_EQ(list.path(), tree.path("top/beta"));
    EXPECT_EQ(changes, 2);
    list.openEntry(depth);
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 3);
}

TEST(DirListBox, TheSameFolderIsReadAgainWithoutAChangeAndAMissingOneFails)
{
    TempTree tree;
    const QString top = tree.makeFolder("top");
    platform::DirListBox list;
    int changes = 0;
    list.onChange([&] { ++changes; });
    EXPECT_FALSE(list.setPath(top).failed());
    const int before = list.count();
    tree.makeFolder("top/new");
    EXPECT_FALSE(list.setPath(top).failed());
    EXPECT_EQ(list.count(), before + 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.setPath(tree.path("nowhere")).number, 76);
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 1);
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

// A folder named in Shift_JIS shows in Japanese, opens, and its name shows in the chain above.
TEST(DirListBox, AFolderNamedInAnotherEncodingShowsReadablyAndOpens)
{
    TempTree tree;
    const QByteArray raw = platform::encodeFileName(tree.makeFolder("top")) + "/\x83\x65\x83\x58\x83\x67";
    tree.writeRaw("top/\x83\x65\x83\x58\x83\x67/f");
    platform::DirListBox list;
    ASSERT_FALSE(list.setPath(tree.path("top")).failed());
    const int depth = tree.path("top").count(QLatin1Char('/'));
    EXPECT_EQ(texts(list).mid(depth + 1), QStringList{QStringLiteral("テスト")});
    list.openEntry(depth + 1);
    EXPECT_EQ(platform::encodeFileName(list.path()), raw);
    EXPECT_EQ(texts(list).last(), QStringLiteral("テスト"));
}
