#include "file_ops/copy_one_file.h"
#include "file_ops/folder_run.h"
#include "file_ops/target_name.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

// A name exFAT cannot store is refused before copying, and a placement that
// meets one anyway fails as a bad file name, leaving nothing behind.
TEST(FatDestination, RefusesNamesTheStickCannotStore)
{
    TempTree tree;
    TestMount stick(tree, TestMount::Kind::Exfat, "stick");
    if (!stick.mounted())
        GTEST_SKIP() << "no exFAT mount possible here";
    tree.makeFolder("TEMP");
    const QString source = tree.writeFile("src/a.txt", "data");
    EXPECT_FALSE(platform::storesFatNamesOnly(tree.path("src")));

    ScriptedMessages messages;
    EXPECT_EQ(copyAlone({source, "b:2.txt", stick.folder(), tree.path("TEMP"), false, false}), 9);
    EXPECT_EQ(messages.texts(), QStringList{FileOps::unusableNameMessage("a.txt", "b:2.txt")});
    EXPECT_EQ(copyAlone({source, "b 2.txt", stick.folder(), tree.path("TEMP"), false, false}), 0);

    EXPECT_EQ(platform::renameFile(stick.folder() + "/b 2.txt", stick.folder() + "/c?.txt").number, 52);
    // 600 bytes, 204 characters: a name the stick keeps.
    const QString longName = QString(200, QChar(0x5199)) + ".txt";
    EXPECT_EQ(copyAlone({source, longName, stick.folder(), tree.path("TEMP"), false, false}), 0);
    EXPECT_EQ(tree.names("stick"), (QStringList{"b 2.txt", longName}));
    EXPECT_EQ(tree.readFile("stick/b 2.txt"), "data");
    EXPECT_TRUE(tree.exists("src/a.txt"));
}
