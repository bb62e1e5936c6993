#include "file_ops/copy_one_file.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using platform::FileOperation;

namespace {

const QByteArray Content = QByteArray(300 * 1024, 'c') + "end";

class CopyOneFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.makeFolder("src");
        tree.makeFolder("dst");
        tree.makeFolder("TEMP");
        tree.writeFile("src/a.txt", Content);
    }
    void TearDown() override { platform::clearInjectedFaults(); }

    qint16 run(const QString& newName, bool move, bool overwrite)
    {
        return FileOps::copyOneFile({tree.path("src/a.txt"), newName, tree.path("dst"), tree.path("TEMP"),
                                     move, overwrite});
    }
    TempTree tree;
    ScriptedMessages messages;
};

}  // namespace

TEST_F(CopyOneFile, AMoveLeavesTheFileOnlyInTheDestinationWithItsModeAndTime)
{
    QFile::setPermissions(tree.path("src/a.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QFileDevice::Permissions mode = QFile::permissions(tree.path("src/a.txt"));
    const QDateTime modified = QFileInfo(tree.path("src/a.txt")).lastModified().addSecs(-3600);
    QFile file(tree.path("src/a.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();

    EXPECT_EQ(run("b.txt", true, false), 0);
    EXPECT_FALSE(tree.exists("src/a.txt"));
    EXPECT_EQ(tree.readFile("dst/b.txt"), Content);
    EXPECT_TRUE(tree.names("TEMP").isEmpty());
    EXPECT_EQ(QFile::permissions(tree.path("dst/b.txt")), mode);
    EXPECT_EQ(QFileInfo(tree.path("dst/b.txt")).lastModified(), modified);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(CopyOneFile, AnExistingDestinationStopsTheRunWithoutOverwritingAndKeepsTheSource)
{
    for (const bool move : {true, false}) {
        tree.writeFile("dst/a.txt", "old");
        messages.clear();
        EXPECT_EQ(run("a.txt", move, false), 9);
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("コピー先に同一ファイルがあります。") + tree.path("dst/a.txt")
                                                + QStringLiteral(" のコピーはできませんでした。")});
        EXPECT_EQ(tree.readFile("src/a.txt"), Content);
        EXPECT_EQ(tree.readFile("dst/a.txt"), "old");
    }
}

TEST_F(CopyOneFile, OverwritingReplacesTheDestinationAndADestinationEndingInASeparatorGetsNoSecond)
{
    tree.writeFile("dst/a.txt", "old");
    EXPECT_EQ(FileOps::copyOneFile({tree.path("src/a.txt"), "a.txt", tree.path("dst") + "/", tree.path("TEMP"), true, true}), 0);
    EXPECT_EQ(tree.readFile("dst/a.txt"), Content);
    EXPECT_FALSE(tree.exists("src/a.txt"));

    tree.writeFile("src/a.txt", Content);
    FileOps::copyOneFile({tree.path("src/a.txt"), "a.txt", tree.path("dst") + "/", tree.path("TEMP"), false, false});
    EXPECT_EQ(messages.last(), FileOps::destinationClashMessage(tree.path("dst/a.txt")));
}

TEST_F(CopyOneFile, AFileCopiedOrMovedOntoItselfSurvives)
{
    for (const bool move : {false, true}) {
        EXPECT_EQ(FileOps::copyOneFile({tree.path("src/a.txt"), "a.txt", tree.path("src"), tree.path("TEMP"), move, true}), 0);
        EXPECT_EQ(tree.readFile("src/a.txt"), Content);
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(CopyOneFile, AReadOnlySourceIsCopiedAndKeptAndStopsTheRun)
{
    tree.setReadOnly("src/a.txt");
    EXPECT_EQ(run("a.txt", true, false), 9);
    EXPECT_EQ(messages.texts(), QStringList{tree.path("src/a.txt")
                                            + QStringLiteral("  の削除に失敗しました。以下の処理をキャンセルします。")});
    EXPECT_EQ(tree.readFile("src/a.txt"), Content);
    EXPECT_EQ(tree.readFile("dst/a.txt"), Content);
}

TEST_F(CopyOneFile, AnUnusableNameIsRefusedBeforeAnythingIsWritten)
{
    EXPECT_EQ(run("../a.txt", true, true), 9);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("a.txt  のコピー後のファイル名")));
    EXPECT_EQ(tree.names(), (QStringList{"TEMP", "dst", "src"}));
    EXPECT_EQ(tree.readFile("src/a.txt"), Content);
}

// Every failure ends the run with the "Error-" message and loses nothing: the
// source stays whole, the destination holds either its old file or a whole copy.
TEST_F(CopyOneFile, EveryFailureIsReportedAndLosesNothing)
{
    struct Case {
        const char* what;
        QString newName;
        QByteArray existing;  // the destination's file before, if any
        std::function<void(TempTree&)> prepare;
        int number;
        QByteArray destinationAfter;
    };
    const auto inject = [](FileOperation operation, int number, const QString& pathPart = QString()) {
        return [=](TempTree&) { platform::injectFault(operation, number, pathPart); };
    };
    const std::vector<Case> cases{
        {"copy into staging: disk full", "a.txt", "", inject(FileOperation::Copy, 61, "a.txt"), 61, ""},
        {"copy into staging: unreadable", "a.txt", "old", inject(FileOperation::Copy, 70), 70, "old"},
        {"staging folder missing", "a.txt", "", [](TempTree& t) { QDir(t.path("TEMP")).removeRecursively(); }, 76, ""},
        {"placement fails", "a.txt", "", inject(FileOperation::Rename, 57), 57, ""},
        {"hidden file of the name", ".a", "hidden", {}, 58, "hidden"},
        {"replacing fails", "a.txt", "old", inject(FileOperation::Replace, 75), 75, "old"},
        {"read-only destination", "a.txt", "old", [](TempTree& t) { t.setReadOnly("dst/a.txt"); }, 75, "old"},
        {"flush fails", "a.txt", "", inject(FileOperation::Flush, 57), 57, Content},
        {"deleting the source fails", "a.txt", "old", inject(FileOperation::DeleteFile, 57, "src"), 57, Content},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree t;
        t.makeFolder("src");
        t.makeFolder("dst");
        t.makeFolder("TEMP");
        t.writeFile("src/a.txt", Content);
        if (!c.existing.isEmpty())
            t.writeFile("dst/" + c.newName, c.existing);
        if (c.prepare)
            c.prepare(t);
        messages.clear();

        EXPECT_EQ(FileOps::copyOneFile({t.path("src/a.txt"), c.newName, t.path("dst"), t.path("TEMP"), true, true}), 9);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last(), platform::errorMessageText(platform::makeError(c.number)));
        EXPECT_EQ(t.readFile("src/a.txt"), Content);
        EXPECT_EQ(t.readFile("dst/" + c.newName), c.destinationAfter);
        for (const QString& name : t.names("TEMP"))
            EXPECT_EQ(t.readFile("TEMP/" + name), Content) << name.toStdString();
        platform::clearInjectedFaults();
    }
}
