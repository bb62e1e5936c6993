#include "file_ops/journal_reader.h"
#include "file_ops/remove_folder_tree.h"
#include "file_ops/run_recovery.h"
#include "file_ops/trash_folder_tree.h"
#include "platform/file_name_codec.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"

#include <optional>

#include <gtest/gtest.h>

// A folder tree goes to the trash whole, by one rename, and its journal holds
// what undoing needs; a tree that holds a mounted volume stays, refused as
// its removal would be; a link goes as itself, what it leads to staying.
TEST(TrashFolderTree, MovesTheWholeTreeOrNothing)
{
    const struct { const char* what; const char* folder; bool mountInside, trashed; } cases[] = {
        {"a tree", "tree", false, true},
        {"a tree holding a volume", "tree", true, false},
        {"a link to a tree", "link", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        const ScopedDataHome dataHome(tree.path("data"));
        tree.writeFile("tree/a/b/deep.txt", "deep");
        ASSERT_TRUE(QFile::link(tree.path("tree"), tree.path("link")));
        std::optional<TestMount> volume;
        if (c.mountInside && !volume.emplace(tree, TestMount::Kind::Tmpfs, "tree/a/stick").mounted())
            continue;  // no mount possible here
        ScriptedMessages messages;
        FileOps::RunJournal journal(tree.path("journal"), FileOps::RunKind::FolderDeletion);
        EXPECT_EQ(FileOps::trashFolderTree(tree.path(c.folder), journal), c.trashed ? 0 : 9);
        EXPECT_FALSE(journal.end().failed());
        EXPECT_EQ(messages.texts(), c.trashed ? QStringList() : QStringList{MarlowFuncUtility::mountedVolumeMessage(tree.path("tree/a/stick"))});
        EXPECT_EQ(tree.exists(c.folder), !c.trashed);
        EXPECT_EQ(tree.exists("tree/a/b/deep.txt"), !c.trashed || QString(c.folder) == "link");
        QMap<QByteArray, QByteArray> expected;
        if (c.trashed)
            expected.insert(c.folder, platform::encodeFileName(tree.path(c.folder)));
        EXPECT_EQ(readTrash(platform::encodeFileName(tree.path("data/Trash"))), expected);
        const QStringList journals = FileOps::journalPaths(tree.path("journal"));
        ASSERT_EQ(journals.size(), c.trashed ? 1 : 0);
        FileOps::JournalRun run;
        EXPECT_EQ(c.trashed && FileOps::readJournalRun(journals.value(0), run) && run.items.value(0).deleted, c.trashed);
    }
}
