#include "folder_delete/remove_folder_tree.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;

namespace {

void writeRaw(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
    ::close(fd);
}

QByteArray readRaw(const QByteArray& path)
{
    QByteArray content(64, 0);
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return QByteArray();
    const ssize_t got = ::read(fd, content.data(), size_t(content.size()));
    ::close(fd);
    return content.left(int(got));
}

bool existsRaw(const QByteArray& path)
{
    return ::access(path.constData(), F_OK) == 0;
}

}  // namespace

// Names that are not UTF-8 go through every operation with their exact bytes.
TEST(RawNames, ListCopyMoveDeleteAndRemoveKeepTheExactBytes)
{
    const QByteArray names[] = {"bad\xff.txt", "\x83\x65\x83\x58\x83\x67.txt", "mixed-\xe5\x86\x99\xfe", "\x80"};
    for (const QByteArray& raw : names) {
        SCOPED_TRACE(raw.toHex().constData());
        TempTree tree;
        const QByteArray root = encodeFileName(tree.root());
        ASSERT_EQ(::mkdir(root + "/to", 0755), 0);
        ASSERT_EQ(::mkdir(root + "/tree", 0755), 0);
        ASSERT_EQ(::mkdir(root + "/tree/" + raw, 0755), 0);
        writeRaw(root + "/" + raw, "data");
        writeRaw(root + "/tree/" + raw + "/" + raw, "deep");

        QVector<DirEntry> entries;
        ASSERT_FALSE(listFolder(tree.root(), entries).failed());
        QString name;
        for (const DirEntry& entry : entries)
            if (encodeFileName(entry.name) == raw)
                name = entry.name;
        ASSERT_FALSE(name.isEmpty());
        EXPECT_TRUE(fileExists(joinPath(tree.root(), name)));

        EXPECT_FALSE(copyFile(joinPath(tree.root(), name), joinPath(tree.path("to"), name)).failed());
        EXPECT_EQ(readRaw(root + "/to/" + raw), "data");
        EXPECT_FALSE(deleteFile(joinPath(tree.path("to"), name)).failed());
        EXPECT_FALSE(existsRaw(root + "/to/" + raw));
        EXPECT_FALSE(renameFile(joinPath(tree.root(), name), joinPath(tree.path("to"), name)).failed());
        EXPECT_EQ(readRaw(root + "/to/" + raw), "data");
        EXPECT_FALSE(existsRaw(root + "/" + raw));

        ScriptedMessages messages;
        EXPECT_EQ(MarlowFuncUtility::RemoveFolderTree(tree.path("tree")), 0);
        EXPECT_EQ(MarlowFuncUtility::RemoveFolderTree(tree.path("to")), 0);
        EXPECT_FALSE(existsRaw(root + "/tree"));
        EXPECT_FALSE(existsRaw(root + "/to"));
        EXPECT_TRUE(messages.texts().isEmpty());
    }
}
