#include "file_ops/delete_selected.h"
#include "file_ops/run_journal.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QFileInfo>

#include <gtest/gtest.h>

// Deleted a moment ago through another spelling of its folder's name, which
// FUSE still shows for a while on a stick, a file is passed over as gone,
// into the trash or for good, not reported as a failure that ends the deletion.
TEST(DeleteListedFile, AFileGoneByAnotherSpellingIsPassedOver)
{
    TempTree tree;
    const ScopedDataHome dataHome{tree.path("data")};
    const TestMount stick(tree, TestMount::Kind::Exfat, "stick");
    if (!stick.mounted())
        GTEST_SKIP() << "no exFAT mount possible here";
    ScriptedMessages messages;
    FileOps::RunJournal journal(QString(), FileOps::RunKind::Delete);
    for (const bool toTrash : {true, false}) {
        tree.writeFile("stick/Photos/a.txt");
        ASSERT_TRUE(QFileInfo::exists(tree.path("stick/photos/a.txt")));
        ASSERT_TRUE(QFile::remove(tree.path("stick/Photos/a.txt")));
        FileOps::DeletionRun run{journal, toTrash};
        EXPECT_EQ(FileOps::deleteListedFile(run, tree.path("stick/photos"), "a.txt"), 0) << toTrash;
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
}
