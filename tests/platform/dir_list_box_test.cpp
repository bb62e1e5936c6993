#include "platform/dir_list_box.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QFile>

#include <gtest/gtest.h>

// A folder named in Shift_JIS shows in Japanese, opens, and its name shows in
// the chain above. Each change of folder is told once; reading the same folder
// again, or failing to open a missing one, tells none.
TEST(DirListBox, ShowsTheFoldersAboveAndTheOrdinarySubfoldersBelow)
{
    TempTree tree;
    const QString top = tree.makeFolder("top");
    for (const char* folder : {"top/beta", "top/Alpha", "top/.hidden"})
        tree.makeFolder(folder);
    tree.writeFile("top/file.txt");
    QFile::link(tree.path("top/beta"), tree.path("top/link"));
    tree.writeRaw("top/\x83\x65\x83\x58\x83\x67/f");
    platform::DirListBox list;
    const auto shown = [&list] { return ui::entries(&list).replaceInStrings(" ", ""); };
    int changes = 0;
    list.onChange([&] { ++changes; });
    ASSERT_FALSE(list.setPath(top + "/").failed());
    EXPECT_EQ(list.path(), top);
    const int depth = top.count(QLatin1Char('/'));
    EXPECT_EQ(shown().first(), "/");
    EXPECT_EQ(shown().mid(depth), QStringList({"top", "Alpha", "beta", QStringLiteral("テスト")}));
    EXPECT_EQ(list.currentRow(), depth);
    EXPECT_EQ(list.folderAt(depth + 1), tree.path("top/Alpha"));

    list.openEntry(depth + 3);
    EXPECT_EQ(platform::encodeFileName(list.path()), platform::encodeFileName(top) + "/\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(shown().last(), QStringLiteral("テスト"));
    list.openEntry(depth);
    tree.makeFolder("top/new");
    EXPECT_FALSE(list.setPath(top).failed());
    EXPECT_EQ(shown().mid(depth + 1), QStringList({"Alpha", "beta", "new", QStringLiteral("テスト")}));
    EXPECT_EQ(list.setPath(tree.path("nowhere")).number, 76);
    EXPECT_EQ(list.path(), top);
    EXPECT_EQ(changes, 3);
}
