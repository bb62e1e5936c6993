#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

DirEntry findEntry(const QVector<DirEntry>& entries, const QString& name)
{
    for (const DirEntry& entry : entries)
        if (entry.name == name)
            return entry;
    ADD_FAILURE() << "no entry " << name.toStdString();
    return DirEntry{};
}

void symlinkTo(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

}  // namespace

TEST(ListFolder, ReportsKindsAndLeavesOutDotEntries)
{
    TempTree tree;
    tree.writeFile("f.txt");
    tree.writeFile(".hidden");
    tree.makeFolder("sub");
    symlinkTo(tree.path("sub"), tree.path("link"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path("pipe")).constData(), 0600), 0);
    QVector<DirEntry> entries;
    ASSERT_FALSE(listFolder(tree.root(), entries).failed());
    EXPECT_EQ(entries.size(), 5);
    EXPECT_TRUE(findEntry(entries, "f.txt").isOrdinary());
    EXPECT_TRUE(findEntry(entries, ".hidden").isHidden);
    EXPECT_TRUE(findEntry(entries, "sub").isDirectory);
    EXPECT_TRUE(findEntry(entries, "link").isLink);
    EXPECT_FALSE(findEntry(entries, "link").isDirectory);
    EXPECT_TRUE(findEntry(entries, "pipe").isSystem);
    EXPECT_EQ(listFolder(tree.path("missing"), entries).number, 76);
}

TEST(DeleteMatchingFiles, DeletesOrdinaryMatchesAndTellsNothingMatched)
{
    TempTree tree;
    tree.writeFile("a.txt");
    tree.writeFile("b.TXT");
    tree.writeFile("c.jpg");
    tree.writeFile(".hidden.txt");
    tree.makeFolder("d.txt");
    EXPECT_FALSE(deleteMatchingFiles(tree.root(), "*.txt").failed());
    EXPECT_EQ(tree.names(), QStringList({".hidden.txt", "c.jpg", "d.txt"}));
    EXPECT_EQ(deleteMatchingFiles(tree.root(), "*.txt").number, 53);
    EXPECT_EQ(deleteMatchingFiles(tree.path("missing"), "*.*").number, 53);
    EXPECT_FALSE(deleteMatchingFiles(tree.root(), "*.*", EntryScope::All).failed());
    EXPECT_EQ(tree.names(), QStringList({"d.txt"}));
}

TEST(FileExists, SeesOrdinaryVisibleFilesOnly)
{
    TempTree tree;
    tree.writeFile("plain.txt");
    tree.writeFile(".hidden");
    tree.makeFolder("folder");
    symlinkTo(tree.path("plain.txt"), tree.path("link.txt"));
    EXPECT_TRUE(fileExists(tree.path("plain.txt")));
    EXPECT_TRUE(fileExists(tree.path("link.txt")));
    EXPECT_FALSE(fileExists(tree.path(".hidden")));
    EXPECT_FALSE(fileExists(tree.path("folder")));
    EXPECT_FALSE(fileExists(tree.path("missing")));
}

// Each failure carries its classic number and changes nothing: a rename never
// replaces an entry, hidden ones included.
TEST(FileLayer, FailuresCarryTheClassicNumbersAndLeaveEverythingAsItWas)
{
    TempTree tree;
    const QString from = tree.writeFile("from", "new"), locked = tree.writeFile("locked", "old");
    tree.setReadOnly("locked");
    tree.writeFile(".hidden", "hidden");
    tree.writeFile("full/x");
    const struct { const char* what; std::function<FsError()> call; int number; } cases[] = {
        {"delete a read-only file", [&] { return deleteFile(locked); }, 75},
        {"delete a missing file", [&] { return deleteFile(tree.path("none")); }, 53},
        {"delete in a missing folder", [&] { return deleteFile(tree.path("gone/none")); }, 76},
        {"make an existing folder", [&] { return makeFolder(tree.path("full")); }, 75},
        {"make below a missing folder", [&] { return makeFolder(tree.path("gone/a")); }, 76},
        {"remove a folder that holds a file", [&] { return removeFolder(tree.path("full")); }, 75},
        {"remove a missing folder", [&] { return removeFolder(tree.path("gone")); }, 76},
        {"rename onto a file", [&] { return renameFile(from, locked); }, 58},
        {"rename onto a hidden file", [&] { return renameFile(from, tree.path(".hidden")); }, 58},
        {"rename into a missing folder", [&] { return renameFile(from, tree.path("gone/x")); }, 76},
        {"replace a read-only file", [&] { return replaceFile(from, locked); }, 75},
        {"copy a missing file", [&] { return copyFile(tree.path("none"), tree.path("x")); }, 53},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.call().number, c.number) << c.what;
    EXPECT_EQ(tree.names(), (QStringList{".hidden", "from", "full", "locked"}));
    EXPECT_EQ(tree.readFile("from") + tree.readFile("locked") + tree.readFile(".hidden"), "newoldhidden");
    EXPECT_FALSE(makeFolderPath(tree.path("a/b/c")).failed());
    EXPECT_TRUE(folderExists(tree.path("a/b/c")));
}

TEST(JoinPath, AddsNoSeparatorAfterARoot)
{
    EXPECT_EQ(joinPath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(joinPath("/data", "a.txt"), "/data/a.txt");
}

// Only the temporaries the account names are settled, and only while they
// are the program's own kind of file: half-made copies go, set-aside files
// get their names back, or the first free one.
TEST(UnfinishedPlacements, AreSettledByTheAccountAlone)
{
    TempTree tree;
    const QString leftover = tree.writeFile("dst/.velda-0000abcd.part", "half");
    const QString lineBreak = tree.writeFile("dst/.velda-\n1.part", "half");
    const QString userFile = tree.writeFile("dst/keep.txt");
    tree.writeFile("dst/.velda-00001234.part");
    const QString folder = tree.makeFolder("dst/.velda-folder.part");
    const QString heldFree = tree.writeFile("dst/.velda-1.hold", "p3");
    const QString heldTaken = tree.writeFile("dst/.velda-2.hold", "p2");
    tree.writeFile("dst/p2.txt", "p1");
    tree.writeFile("dst/p2 (2).txt", "other");
    const QString account = tree.path("account");
    setPlacementAccount(account);
    for (const QString& path : {leftover, lineBreak, userFile, folder, tree.path("dst/.velda-gone.part")})
        EXPECT_FALSE(noteTemporaryFile(path).failed());
    EXPECT_FALSE(noteTemporaryFile(heldFree, tree.path("dst/p3.txt")).failed());
    EXPECT_FALSE(noteTemporaryFile(heldTaken, tree.path("dst/p2.txt")).failed());
    tree.writeRaw("sjis/.velda-3.hold", "sjis");  // its name in Shift_JIS bytes
    EXPECT_FALSE(noteTemporaryFile(tree.path("sjis/.velda-3.hold"), decodeFileName(tree.path("sjis").toUtf8() + "/\x83\x65.txt"))
                     .failed());
    setPlacementAccount(QString());

    QVector<QPair<QString, QString>> restored;
    EXPECT_FALSE(settleUnfinishedPlacements(account, restored).failed());
    EXPECT_EQ(tree.names("dst"), (QStringList{".velda-00001234.part", ".velda-folder.part", "keep.txt", "p2 (2).txt",
                                              "p2 (3).txt", "p2.txt", "p3.txt"}));
    EXPECT_EQ(tree.readFile("dst/p2 (3).txt"), "p2");
    EXPECT_EQ(tree.readFile("dst/p3.txt"), "p3");
    EXPECT_EQ(tree.readRaw("sjis/\x83\x65.txt"), "sjis");
    EXPECT_EQ(restored.size(), 3);
    EXPECT_FALSE(tree.exists("account"));
    EXPECT_FALSE(settleUnfinishedPlacements(account, restored).failed());
}

// What cannot be settled at a start (its folder gone with an unplugged
// stick) stays on record for the next one; a set-aside file whose name is
// taken comes back under a free one even at the limit on names, giving up the
// end of its stem (never half a character) and keeping its extension.
TEST(UnfinishedPlacements, WhatCannotBeSettledIsKeptForTheNextStart)
{
    TempTree tree;
    const QString smiley = QStringLiteral("\U0001F600");  // four bytes, two UTF-16 units
    const QString longName = smiley.repeated(62) + ".txt";  // 252 bytes
    tree.writeFile("stick/.velda-1.hold", "held on the stick");
    tree.writeFile("disk/.velda-2.hold", "held long");
    tree.writeFile("disk/" + longName, "taker");
    const QString account = tree.path("account");
    setPlacementAccount(account);
    EXPECT_FALSE(noteTemporaryFile(tree.path("stick/.velda-1.hold"), tree.path("stick/p.txt")).failed());
    EXPECT_FALSE(noteTemporaryFile(tree.path("disk/.velda-2.hold"), tree.path("disk/" + longName)).failed());
    setPlacementAccount(QString());
    ASSERT_TRUE(QFile::rename(tree.path("stick"), tree.path("unplugged")));

    QVector<QPair<QString, QString>> restored;
    EXPECT_FALSE(settleUnfinishedPlacements(account, restored).failed());
    EXPECT_EQ(restored.size(), 1);
    EXPECT_EQ(tree.names("disk"), (QStringList{smiley.repeated(61) + " (2).txt", longName}));
    EXPECT_TRUE(tree.exists("account"));

    ASSERT_TRUE(QFile::rename(tree.path("unplugged"), tree.path("stick")));
    EXPECT_FALSE(settleUnfinishedPlacements(account, restored).failed());
    EXPECT_EQ(tree.readFile("stick/p.txt"), "held on the stick");
    EXPECT_FALSE(tree.exists("account"));
}
