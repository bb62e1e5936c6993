#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
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

TEST(DeleteFile, ReadOnlyFilesFailWith75AndMissingOnesWith53Or76)
{
    TempTree tree;
    tree.writeFile("locked.txt");
    tree.setReadOnly("locked.txt");
    EXPECT_EQ(deleteFile(tree.path("locked.txt")).number, 75);
    EXPECT_TRUE(tree.exists("locked.txt"));
    EXPECT_EQ(deleteFile(tree.path("nothing.txt")).number, 53);
    EXPECT_EQ(deleteFile(tree.path("no-folder/nothing.txt")).number, 76);
    tree.writeFile("free.txt");
    EXPECT_FALSE(deleteFile(tree.path("free.txt")).failed());
    EXPECT_FALSE(tree.exists("free.txt"));
}

TEST(Folders, MakeAndRemoveReportTheClassicNumbers)
{
    TempTree tree;
    EXPECT_FALSE(makeFolder(tree.path("one")).failed());
    EXPECT_EQ(makeFolder(tree.path("one")).number, 75);
    EXPECT_EQ(makeFolder(tree.path("a/b")).number, 76);
    EXPECT_FALSE(makeFolderPath(tree.path("a/b/c")).failed());
    EXPECT_TRUE(folderExists(tree.path("a/b/c")));
    tree.writeFile("one/x");
    EXPECT_EQ(removeFolder(tree.path("one")).number, 75);
    EXPECT_EQ(removeFolder(tree.path("gone")).number, 76);
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

TEST(CopyFile, KeepsDataModeAndTimeAndReplacesTheTarget)
{
    TempTree tree;
    tree.writeFile("src.bin", QByteArray(300000, 'q'));
    QFile::setPermissions(tree.path("src.bin"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(tree.path("src.bin")).constData(), times, 0), 0);
    tree.writeFile("dst.bin", "old");
    ASSERT_FALSE(copyFile(tree.path("src.bin"), tree.path("dst.bin"), CopyFlush::Durable).failed());
    EXPECT_EQ(tree.readFile("dst.bin"), QByteArray(300000, 'q'));
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(tree.path("dst.bin")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0440u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(copyFile(tree.path("none"), tree.path("x")).number, 53);
}

TEST(CopyFile, AFailureHalfWayLeavesNoPartialCopy)
{
    TempTree tree;
    tree.writeFile("src.bin", QByteArray(100000, 'q'));
    injectFault(FileOperation::Copy, 61);
    const FsError error = copyFile(tree.path("src.bin"), tree.path("dst.bin"));
    EXPECT_EQ(error.number, 61);
    EXPECT_FALSE(tree.exists("dst.bin"));
    EXPECT_EQ(tree.readFile("src.bin").size(), 100000);
    clearInjectedFaults();
}

TEST(RenameFile, NeverReplacesAnEntryHiddenOnesIncluded)
{
    TempTree tree;
    tree.writeFile("from", "new");
    tree.writeFile("to", "old");
    tree.writeFile(".to", "hidden");
    EXPECT_EQ(renameFile(tree.path("from"), tree.path("to")).number, 58);
    EXPECT_EQ(renameFile(tree.path("from"), tree.path(".to")).number, 58);
    EXPECT_EQ(tree.readFile("to"), "old");
    EXPECT_EQ(tree.readFile(".to"), "hidden");
    EXPECT_FALSE(renameFile(tree.path("from"), tree.path("fresh")).failed());
    EXPECT_EQ(tree.readFile("fresh"), "new");
    EXPECT_FALSE(tree.exists("from"));
    EXPECT_EQ(renameFile(tree.path("fresh"), tree.path("no-folder/x")).number, 76);
}

TEST(ReplaceFile, ReplacesInOneStepButNotAReadOnlyTarget)
{
    TempTree tree;
    tree.writeFile("from", "new");
    tree.writeFile("to", "old");
    EXPECT_FALSE(replaceFile(tree.path("from"), tree.path("to")).failed());
    EXPECT_EQ(tree.readFile("to"), "new");
    EXPECT_FALSE(tree.exists("from"));
    tree.writeFile("from", "newer");
    tree.setReadOnly("to");
    EXPECT_EQ(replaceFile(tree.path("from"), tree.path("to")).number, 75);
    EXPECT_EQ(tree.readFile("to"), "new");
    EXPECT_EQ(tree.readFile("from"), "newer");
}

TEST(JoinPath, AddsNoSeparatorAfterARoot)
{
    EXPECT_EQ(joinPath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(joinPath("/data", "a.txt"), "/data/a.txt");
}

// A name at the file system's limit gives up the end of its stem, never its
// extension nor half a character, to take a number.
TEST(FirstFreePath, FitsTheLimitOnNames)
{
    TempTree tree;
    const QString stem = QString(80, QChar(0x3042)) + "abcdefghijk";  // with ".jpg", 255 bytes
    const QString taken = tree.writeFile(stem + ".jpg"), free = firstFreePath(taken);
    EXPECT_TRUE(free.endsWith(" (2).jpg")) << free.toStdString();
    EXPECT_LE(encodeFileName(free.mid(tree.root().size() + 1)).size(), 255);
    EXPECT_TRUE(free.mid(tree.root().size() + 1).startsWith(stem.left(80))) << free.toStdString();
    EXPECT_FALSE(pathExists(free));
    EXPECT_EQ(firstFreePath(tree.path("other.jpg")), tree.path("other.jpg"));
}
