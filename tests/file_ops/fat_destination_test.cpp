#include "file_ops/copy_one_file.h"
#include "file_ops/target_name.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

bool run(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return true;
}

// An exFAT image of the tree mounted through FUSE on a loop device, where
// this machine allows it.
class ExfatMount {
public:
    explicit ExfatMount(TempTree& tree) : folder_(tree.makeFolder("stick"))
    {
        const QString image = tree.path("stick.img");
        QFile file(image);
        if (::geteuid() != 0 || QStandardPaths::findExecutable("mount.exfat-fuse").isEmpty()
            || !file.open(QIODevice::WriteOnly) || !file.resize(8 * 1024 * 1024))
            return;
        file.close();
        if (run("mkfs.exfat", {image}) && run("losetup", {"-f", "--show", image}, &device_))
            mounted_ = run("mount.exfat-fuse", {device_, folder_});
    }
    ~ExfatMount()
    {
        if (mounted_)
            run("umount", {folder_});
        if (!device_.isEmpty())
            run("losetup", {"-d", device_});
    }
    bool mounted() const { return mounted_; }
    const QString& folder() const { return folder_; }

private:
    QString folder_, device_;
    bool mounted_ = false;
};

}  // namespace

// A name exFAT cannot store is refused before copying, and a placement that
// meets one anyway fails as a bad file name, leaving nothing behind. A name
// that changes only letter case is written although exFAT ignores case.
TEST(FatDestination, RefusesNamesTheStickCannotStore)
{
    TempTree tree;
    ExfatMount stick(tree);
    if (!stick.mounted())
        GTEST_SKIP() << "no exFAT mount possible here";
    tree.makeFolder("TEMP");
    const QString source = tree.writeFile("src/a.txt", "data");
    EXPECT_TRUE(platform::storesFatNamesOnly(stick.folder()));
    EXPECT_FALSE(platform::storesFatNamesOnly(tree.path("src")));

    ScriptedMessages messages;
    EXPECT_EQ(FileOps::copyOneFile({source, "b:2.txt", stick.folder(), tree.path("TEMP"), false, false}), 9);
    EXPECT_EQ(messages.texts(), QStringList{FileOps::unusableNameMessage("a.txt", "b:2.txt")});
    EXPECT_EQ(FileOps::copyOneFile({source, "b 2.txt", stick.folder(), tree.path("TEMP"), false, false}), 0);

    EXPECT_EQ(platform::renameFile(source, stick.folder() + "/c?.txt").number, 52);
    EXPECT_EQ(tree.names("stick"), QStringList{"b 2.txt"});
    EXPECT_EQ(tree.readFile("stick/b 2.txt"), "data");
    EXPECT_TRUE(tree.exists("src/a.txt"));

    // Moved onto itself under a name differing only in letter case.
    const QString onStick = stick.folder() + "/b 2.txt";
    EXPECT_EQ(FileOps::copyOneFile({onStick, "B 2.TXT", stick.folder(), tree.path("TEMP"), true, true}), 0);
    EXPECT_EQ(tree.names("stick"), QStringList{"B 2.TXT"});
    EXPECT_EQ(tree.readFile("stick/B 2.TXT"), "data");
}
