#include "file_ops/remove_folder_tree.h"
#include "platform/fault_injection.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

using MarlowFuncUtility::RemoveFolderTree;
using MarlowFuncUtility::mountedVolumeMessage;
using platform::EntryScope;

// A volume mounted on the folder itself or anywhere inside it, even on a
// single file, refuses the removal before anything goes, on the user's
// folders and the work folders alike; every byte on both sides stays.
TEST(RemovalMounts, AMountOnOrInsideTheTreeRefusesTheRemovalBeforeAnythingGoes)
{
    TempTree tree;
    ScriptedMessages messages;
    const struct { const char* name; QString at; TestMount::Kind kind; QString viewOf; } mounts[] = {
        {"tmpfs inside", "T/A/M", TestMount::Kind::Tmpfs, ""},
        {"folder bound inside", "T/A/M", TestMount::Kind::View, "elsewhere"},
        {"file bound inside", "T/A/b.txt", TestMount::Kind::View, "elsewhere/keep.txt"},
        {"share on the folder", "T", TestMount::Kind::Share, ""},
        {"tmpfs on the folder", "T", TestMount::Kind::Tmpfs, ""},
        {"folder bound on the folder", "T", TestMount::Kind::View, "elsewhere"},
    };
    for (const EntryScope scope : {EntryScope::OrdinaryOnly, EntryScope::All}) {
        for (const auto& mount : mounts) {
            SCOPED_TRACE(std::string(mount.name) + (scope == EntryScope::All ? ", all" : ""));
            messages.clear();
            tree.writeFile("elsewhere/keep.txt", "keep");
            tree.writeFile("elsewhere/sub/deep.txt", "deep");
            tree.writeFile("T/a.txt", "a");
            tree.writeFile("T/A/b.txt", "b");
            const TestMount mounted(tree, mount.kind, mount.at, mount.viewOf);
            if (!mounted.mounted())
                GTEST_SKIP() << "mounting needs privileges this run lacks";
            const bool ownVolume = mount.viewOf.isEmpty();
            if (ownVolume)
                tree.writeFile(mount.at + "/on-the-volume.txt", "volume");
            const QStringList before = tree.names("T");

            EXPECT_EQ(RemoveFolderTree(tree.path("T"), scope), 9);
            EXPECT_EQ(messages.texts(), QStringList{mountedVolumeMessage(tree.path(mount.at))});
            EXPECT_EQ(tree.names("T"), before);
            EXPECT_EQ(tree.readFile("elsewhere/keep.txt"), "keep");
            EXPECT_EQ(tree.readFile("elsewhere/sub/deep.txt"), "deep");
            if (ownVolume) {
                EXPECT_EQ(tree.readFile(mount.at + "/on-the-volume.txt"), "volume");
            } else if (mount.at != "T") {
                EXPECT_EQ(tree.readFile("T/a.txt"), "a");
                EXPECT_TRUE(tree.exists("T/A/b.txt"));
            }
        }
    }
}

// Where no mount can be made, the seam stands in for one deep in the tree.
TEST(RemovalMounts, TheSeamStandsInForAMount)
{
    TempTree tree;
    ScriptedMessages messages;
    tree.writeFile("T/a.txt");
    tree.writeFile("T/A/B/c.txt");
    platform::injectFault(platform::FileOperation::MountPoint, 1, "/T/A/B");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    platform::clearInjectedFaults();
    EXPECT_EQ(messages.texts(), QStringList{mountedVolumeMessage(tree.path("T/A/B"))});
    EXPECT_TRUE(tree.exists("T/a.txt") && tree.exists("T/A/B/c.txt"));
}
