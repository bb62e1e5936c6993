#include "platform/file_list_box.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"
#include "support/ui_helpers.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

using platform::FileListBox;

// A name that is not UTF-8 shows readably and is handed on with its exact
// bytes. Files placed during a run show unsorted at the end, as the pattern
// lets them; the next reading sorts them in and keeps the selection; another
// folder starts without one, a missing one is refused.
TEST(FileListBox, ShowsReadableNamesAndKeepsTheExactOnesSelectedThroughAReading)
{
    TempTree tree;
    for (const char* name : {"\x83\x65\x83\x58\x83\x67.txt", "bad\xff.txt", "d.txt", "two\nlines.txt"})
        tree.writeRaw(name);
    tree.writeFile("other/a.txt");
    FileListBox list;
    list.setPattern("*.txt");
    ASSERT_FALSE(list.setPath(tree.root()).failed());
    EXPECT_EQ(ui::entries(&list), QStringList({"bad\uFFFD.txt", "d.txt", "two\u23CElines.txt", "テスト.txt"}));
    for (const int row : {0, 2, 3})
        list.setSelected(row, true);
    const QStringList placed{"c.TXT", "a.txt", "e.jpg", ".h.txt"};
    for (const QString& name : placed)
        tree.writeFile(name);
    list.appendEntries(placed);
    EXPECT_EQ(ui::entries(&list).mid(4), QStringList({"c.TXT", "a.txt"}));
    list.refresh();
    EXPECT_EQ(ui::entries(&list).mid(0, 4), QStringList({"a.txt", "bad\uFFFD.txt", "c.TXT", "d.txt"}));
    EXPECT_EQ(list.selectedEntries(), QStringList({platform::decodeFileName("bad\xff.txt"), "two\nlines.txt",
                                                   platform::decodeFileName("\x83\x65\x83\x58\x83\x67.txt")}));
    EXPECT_FALSE(list.setPath(tree.path("other")).failed());
    EXPECT_EQ(list.selectedCount(), 0);
    EXPECT_EQ(list.setPath(tree.path("missing")).number, 76);
    EXPECT_EQ(list.path(), tree.path("other"));
}

// A row noted before a change stays selected only while its name names the
// same file: noted name by name or in one reading of the folder, on a disk
// and on a stick, whose listing numbers files otherwise than a look-up does.
TEST(FileListBox, ANotedRowStaysSelectedOnlyForTheSameFile)
{
    for (const bool onStick : {false, true}) {
        for (const int others : {0, 20}) {
            SCOPED_TRACE(testing::Message() << "stick " << onStick << ", others " << others);
            TempTree tree;
            std::optional<TestMount> stick;
            if (onStick && !stick.emplace(tree, TestMount::Kind::Exfat, "files").mounted())
                continue;
            for (int i = 0; i < others; ++i)
                tree.writeFile(QStringLiteral("files/z%1.txt").arg(i));
            tree.writeFile("files/a.txt");
            tree.writeFile("files/b.txt", "old");
            FileListBox list;
            ASSERT_FALSE(list.setPath(tree.path("files")).failed());
            list.setSelected(0, true);
            list.setSelected(1, true);
            list.noteSelectedFiles();
            ASSERT_EQ(std::rename(QFile::encodeName(tree.writeFile("files/new.dat", "new")).constData(),
                                  QFile::encodeName(tree.path("files/b.txt")).constData()), 0);
            list.refresh();
            EXPECT_EQ(list.selectedEntries(), QStringList{"a.txt"});
        }
    }
}

// Rows placed during a run or found by a reading are drawn at once: the list
// never shows blank while its layout waits for the event loop.
TEST(FileListBox, ShowsNewRowsAtOnceWithoutABlankFrame)
{
    TempTree tree;
    FileListBox list;
    list.resize(200, 120);
    EXPECT_FALSE(list.setPath(tree.root()).failed());
    ui::showActive(&list);
    for (const char* name : {"placed.txt", "read.txt"}) {
        tree.writeFile(name);
        if (list.listCount() == 0)
            list.appendEntries({name});  // as during a run
        else
            list.refresh();
        const QImage atOnce = list.viewport()->grab().toImage();
        ui::settle();
        EXPECT_EQ(atOnce, list.viewport()->grab().toImage()) << name;
    }
    EXPECT_EQ(list.listCount(), 2);
}
