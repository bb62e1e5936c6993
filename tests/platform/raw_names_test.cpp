#include "file_ops/remove_folder_tree.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace platform;

// Names that are not UTF-8 go through every operation with their exact bytes.
TEST(RawNames, ListCopyMoveDeleteAndRemoveKeepTheExactBytes)
{
    const QByteArray names[] = {"bad\xff.txt", "\x83\x65\x83\x58\x83\x67.txt", "mixed-\xe5\x86\x99\xfe", "\x80"};
    for (const QByteArray& raw : names) {
        SCOPED_TRACE(raw.toHex().constData());
        TempTree tree;
        tree.makeFolder("to");
        tree.writeRaw(raw, "data");
        tree.writeRaw("tree/" + raw + "/" + raw, "deep");

        QVector<DirEntry> entries;
        ASSERT_FALSE(listFolder(tree.root(), entries).failed());
        QStringList listed;
        for (const DirEntry& entry : entries)
            listed << entry.name;
        const QString name = decodeFileName(raw);
        ASSERT_TRUE(listed.contains(name));
        EXPECT_TRUE(fileExists(joinPath(tree.root(), name)));

        const QString source = joinPath(tree.root(), name), target = joinPath(tree.path("to"), name);
        EXPECT_FALSE(copyFile(source, target).failed());
        EXPECT_EQ(tree.readRaw("to/" + raw), "data");
        EXPECT_FALSE(deleteFile(target).failed());
        EXPECT_FALSE(tree.existsRaw("to/" + raw));
        EXPECT_FALSE(renameFile(source, target).failed());
        EXPECT_EQ(tree.readRaw("to/" + raw), "data");
        EXPECT_FALSE(tree.existsRaw(raw));

        ScriptedMessages messages;
        EXPECT_EQ(MarlowFuncUtility::RemoveFolderTree(tree.path("tree")), 0);
        EXPECT_EQ(MarlowFuncUtility::RemoveFolderTree(tree.path("to")), 0);
        EXPECT_EQ(tree.names(), QStringList());
        EXPECT_TRUE(messages.texts().isEmpty());
    }
}
