#include "folder_delete/mounted_volume.h"
#include "folder_delete/remove_folder_tree.h"
#include "platform/fault_injection.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/mount.h>

using MarlowFuncUtility::RemoveFolderTree;
using MarlowFuncUtility::mountedVolumeMessage;
using platform::EntryScope;

namespace {

// A volume mounted inside the test's tree for as long as it lives.
class Mount {
public:
    // A tmpfs, or with from given, a bind mount of that folder.
    bool attach(const QString& at, const QString& from = QString())
    {
        const QByteArray source = from.isEmpty() ? QByteArray("velda-test") : QFile::encodeName(from);
        if (::mount(source.constData(), QFile::encodeName(at).constData(), from.isEmpty() ? "tmpfs" : nullptr,
                    from.isEmpty() ? 0 : MS_BIND, from.isEmpty() ? "size=1m" : nullptr) != 0)
            return false;
        at_ = QFile::encodeName(at);
        return true;
    }
    ~Mount()
    {
        if (!at_.isEmpty())
            ::umount2(at_.constData(), MNT_DETACH);
    }

private:
    QByteArray at_;
};

class MountedVolumeTest : public ::testing::Test {
protected:
    void TearDown() override { platform::clearInjectedFaults(); }

    TempTree tree;
    ScriptedMessages messages;
};

}  // namespace

// A mounted volume inside the tree refuses the whole removal, for the user's
// folders and the work folders alike: nothing on either side is deleted.
TEST_F(MountedVolumeTest, AMountInsideTheTreeRefusesTheRemovalBeforeAnythingGoes)
{
    for (const EntryScope scope : {EntryScope::OrdinaryOnly, EntryScope::All}) {
        for (const bool bindMount : {false, true}) {
            SCOPED_TRACE(int(scope) * 2 + int(bindMount));
            messages.clear();
            tree.writeFile("T/a.txt");
            tree.writeFile("T/A/b.txt");
            tree.writeFile("elsewhere/keep.txt");
            const QString mountPoint = tree.makeFolder("T/A/M");
            Mount mount;
            if (!mount.attach(mountPoint, bindMount ? tree.path("elsewhere") : QString()))
                GTEST_SKIP() << "mounting needs privileges this run lacks";
            if (!bindMount)
                tree.writeFile("T/A/M/keep.txt");
            EXPECT_EQ(RemoveFolderTree(tree.path("T"), scope), 9);
            EXPECT_EQ(messages.texts(), QStringList{mountedVolumeMessage(mountPoint)});
            EXPECT_TRUE(tree.exists("T/a.txt"));
            EXPECT_TRUE(tree.exists("T/A/b.txt"));
            EXPECT_TRUE(tree.exists("T/A/M/keep.txt"));
        }
    }
}

TEST_F(MountedVolumeTest, TheSeamStandsInForAMountWhereNoneCanBeMade)
{
    tree.writeFile("T/a.txt");
    tree.writeFile("T/A/B/c.txt");
    platform::injectFault(platform::FileOperation::MountPoint, 1, "/T/A/B");
    EXPECT_EQ(RemoveFolderTree(tree.path("T")), 9);
    EXPECT_EQ(messages.texts(), QStringList{mountedVolumeMessage(tree.path("T/A/B"))});
    EXPECT_TRUE(mountedVolumeMessage(tree.path("T/A/B")).startsWith(tree.path("T/A/B") + QStringLiteral(" には別のドライブ")));
    EXPECT_TRUE(tree.exists("T/a.txt"));
    EXPECT_TRUE(tree.exists("T/A/B/c.txt"));
}
