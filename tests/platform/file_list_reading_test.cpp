#include "platform/file_list_reading.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>

using platform::FileListReading;
using platform::readFileList;

// Ordinary files and links to them only. Letter case aside, then as shown
// (capitals first), then by exact bytes; UTF-16 order puts a character beyond
// U+FFFF before U+FF5A (ｚ). A folder read again that lists the names it did
// keeps their order without sorting them again, but tells which file each
// name is now.
TEST(FileListReading, ListsOrdinaryFilesSortedAndTellsWhichFileEachNameIsNow)
{
    TempTree tree;
    for (const char* name : {"b.txt", "a.JPG", "A.jpg", "Z.txt", "ärger.txt", "Ärger.txt", "ｚ.txt", "😀.txt", "写真.jpg", ".h"})
        tree.writeFile(QString::fromUtf8(name));
    tree.writeRaw("\x83\x65\x83\x58\x83\x67.txt");  // テスト in CP932
    tree.makeFolder("folder.txt");
    ASSERT_TRUE(QFile::link(tree.path("b.txt"), tree.path("link")));
    ASSERT_TRUE(QFile::link(tree.path("missing"), tree.path("dangling")));
    FileListReading before;
    ASSERT_FALSE(readFileList(tree.root(), "*.*", FileListReading{}, before).failed());
    QStringList shown;
    for (const QString& name : before.names)
        shown << platform::readableFileName(name);
    EXPECT_EQ(shown, QStringList({"A.jpg", "a.JPG", "b.txt", "link", "Z.txt", "Ärger.txt", "ärger.txt", "テスト.txt",
                                  "写真.jpg", "😀.txt", "ｚ.txt"}));
    if (before.identities.isEmpty())
        GTEST_SKIP() << "this file system does not list identities";

    const QString replacement = tree.writeFile("new.dat", "other");
    ASSERT_EQ(std::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(tree.path("Z.txt")).constData()), 0);
    FileListReading again;
    ASSERT_FALSE(readFileList(tree.root(), "*.*", before, again).failed());
    EXPECT_EQ(again.names, before.names);
    EXPECT_EQ(again.identities.at(2), before.identities.at(2));
    EXPECT_FALSE(again.identities.at(4) == before.identities.at(4));
    tree.writeFile("0.txt");
    ASSERT_FALSE(readFileList(tree.root(), "*.*", again, again).failed());
    EXPECT_EQ(again.names.first(), "0.txt");
}
