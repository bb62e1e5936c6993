#include "platform/data_progress.h"
#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace platform;

// Kinds as listed, "." and ".." left out; only an ordinary visible file, or a
// link to one, counts as an existing file. Names that are not UTF-8 are
// listed and copied by their exact bytes.
TEST(ListFolder, ReportsKindsAndTellsWhichAreFiles)
{
    TempTree tree;
    tree.writeFile("f.txt");
    tree.writeFile(".hidden");
    tree.makeFolder("sub");
    ASSERT_TRUE(QFile::link(tree.path("sub"), tree.path("link")));
    ASSERT_TRUE(QFile::link(tree.path("f.txt"), tree.path("file link")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.path("pipe")).constData(), 0600), 0);
    QStringList expected{".hidden:h", "f.txt: file", "file link:l file", "link:l", "pipe:s", "sub:d"};
    const QByteArray raws[] = {"bad\xff.txt", "\x83\x65\x83\x58\x83\x67.txt", "mixed-\xe5\x86\x99\xfe", "\x80"};
    for (const QByteArray& raw : raws) {
        tree.writeRaw(raw, raw);
        expected << decodeFileName(raw) + ": file";
    }
    QVector<DirEntry> entries;
    ASSERT_FALSE(listFolder(tree.root(), entries).failed());
    QStringList kinds;
    for (const DirEntry& e : entries)
        kinds << e.name + ":" + (e.isDirectory ? "d" : "") + (e.isLink ? "l" : "") + (e.isHidden ? "h" : "")
                     + (e.isSystem ? "s" : "") + (fileExists(tree.path(e.name)) ? " file" : "");
    kinds.sort();
    expected.sort();
    EXPECT_EQ(kinds, expected);
    tree.makeFolder("to");
    for (const QByteArray& raw : raws) {
        const QString name = decodeFileName(raw);
        EXPECT_FALSE(copyFile(joinPath(tree.root(), name), joinPath(tree.path("to"), name)).failed());
        EXPECT_EQ(tree.readRaw("to/" + raw), raw);
    }
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
        {"copy a missing file", [&] { return copyFile(tree.path("none"), tree.path("x")); }, 53},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.call().number, c.number) << c.what;
    EXPECT_EQ(tree.names(), (QStringList{".hidden", "from", "full", "locked"}));
    EXPECT_EQ(tree.readFile("from") + tree.readFile("locked") + tree.readFile(".hidden"), "newoldhidden");
}

// A step that fails within a copy or rename fails it, leaving the file under
// one name: never a partial copy, nor a copy without its time, nor a file
// under two names.
TEST(FileLayerFaults, FailTheOperationAndLeaveOneWholeFile)
{
    const struct {
        const char* what; bool copy; QVector<QPair<FileOperation, int>> faults; int number; QStringList namesAfter;
    } cases[] = {
        {"copy, times cannot be set", true, {{FileOperation::SetTimes, 57}}, 57, {"from"}},
        {"rename by a hard link", false, {{FileOperation::LinkFallback, 1}}, 0, {"to"}},
        {"rename by a hard link, old name cannot go", false,
         {{FileOperation::LinkFallback, 1}, {FileOperation::DeleteFile, 75}}, 75, {"from"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        tree.writeFile("from", QByteArray(100000, 'q'));
        for (const auto& fault : c.faults)
            injectFault(fault.first, fault.second);
        const QString from = tree.path("from"), to = tree.path("to");
        EXPECT_EQ((c.copy ? copyFile(from, to) : renameFile(from, to)).number, c.number);
        clearInjectedFaults();
        EXPECT_EQ(tree.names(), c.namesAfter);
        EXPECT_EQ(tree.readFile(c.namesAfter.value(0)), QByteArray(100000, 'q'));
    }
}

// A name at the file system's limit gives up the end of its stem, never its
// extension nor half a character, to take a number.
TEST(FirstFreePath, FitsTheLimitOnNames)
{
    TempTree tree;
    const struct { const char* what; QString stem; int kept; } cases[] = {
        {"three bytes a character", QString(80, QChar(0x3042)) + "abcdefghijk", 87},  // with ".jpg", 255 bytes
        {"two UTF-16 units a character", QStringLiteral("\U0001F600").repeated(62), 122},  // 252 bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstFreePath(tree.writeFile(c.stem + ".jpg")), tree.path(c.stem.left(c.kept) + " (2).jpg")) << c.what;
}

// Within one file system and onto another (copy_file_range, sendfile). The
// bytes differ along the file, so that a shifted or short copy shows; it takes
// more than one step of the copy, less than the test's tmpfs holds.
TEST(CopyProgress, FollowsABigFileToItsEnd)
{
    TempTree tree;
    QByteArray content(6 * 1024 * 1024 + 123, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i)
        content[i] = char((i / 4096 + i) & 0xFF);
    const QString source = tree.writeFile("src/big.bin", content);
    TestMount other(tree, TestMount::Kind::Tmpfs, "other");
    for (const QString& folder : {tree.makeFolder("same"), other.folder()}) {
        if (folder == other.folder() && !other.mounted())
            continue;
        SCOPED_TRACE(folder.toStdString());
        const QString target = joinPath(folder, QStringLiteral("big.bin"));
        struct : DataProgress {
            bool written(qint64 bytes) override { reported.append(bytes); return true; }
            QVector<qint64> reported;
        } progress;
        ASSERT_FALSE(copyFile(source, target, CopyFlush::Durable, nullptr, nullptr, &progress).failed());
        EXPECT_GT(progress.reported.size(), 1);
        EXPECT_EQ(progress.reported.value(progress.reported.size() - 1), content.size());
        EXPECT_EQ(tree.readFile(target.mid(tree.root().size() + 1)), content);
    }
}
