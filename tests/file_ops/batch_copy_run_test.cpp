#include "file_ops/batch_copy_run.h"
#include "file_ops/folder_copy_window.h"
#include "platform/fault_injection.h"
#include "platform/fs_error.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString SelectAll = QStringLiteral("すべてのファイルを選択しますか？");
const QString Confirm = QStringLiteral("コピー結果を確認して下さい。実行しますか？");

class BatchCopyRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.makeFolder("dst");
        tree.makeFolder("TEMP");
        tree.makeFolder("src");
    }
    FolderCopyWindow& open()
    {
        window = std::make_unique<FolderCopyWindow>(tree.path("src"), tree.path("dst"), tree.path("TEMP"));
        return *window;
    }

    TempTree tree;
    ScriptedMessages messages;
    std::unique_ptr<FolderCopyWindow> window;
};

}  // namespace

TEST_F(BatchCopyRun, NumberedNamesAreWrittenAsPreviewedAndTheViewIsRestored)
{
    for (const char* name : {"c.txt", "a.txt", "B.txt"})
        tree.writeFile(QStringLiteral("src/") + name, name);
    tree.writeFile("dst/old.txt");
    FolderCopyWindow& w = open();
    w.select({"a.txt", "c.txt", "B.txt"});
    w.rules.NameRule = 4;
    w.rules.StartFromFront = 1;
    w.rules.CharCount = 1;
    w.rules.SerialStart = 7;
    w.rules.SerialDigits = 2;
    w.rules.SerialNumber = 40;
    messages.answerYes();

    FileOps::runBatchCopy(w);
    EXPECT_EQ(messages.texts(), QStringList{Confirm});
    EXPECT_EQ(tree.names("dst"), (QStringList{"07.txt", "08.txt", "09.txt", "old.txt"}));
    EXPECT_EQ(tree.readFile("dst/07.txt"), "a.txt");
    EXPECT_EQ(tree.readFile("dst/08.txt"), "B.txt");
    EXPECT_EQ(tree.names("src").size(), 3);
    EXPECT_FALSE(w.previewShown);
    EXPECT_EQ(w.statusLine, "");
    EXPECT_EQ(w.destinationShown, tree.names("dst"));
}

TEST_F(BatchCopyRun, APreviewClashStopsBeforeAnythingIsCopiedUnlessOverwriting)
{
    tree.writeFile("src/a.txt", "first");
    tree.writeFile("src/b.txt", "second");
    tree.writeFile("dst/keep.txt");
    for (const bool overwrite : {false, true}) {
        FolderCopyWindow& w = open();
        w.select({"a.txt", "b.txt"});
        w.rules.NameRule = 1;
        w.rules.RuleText = "same";
        w.overwrite = overwrite;
        w.move = true;
        messages.clear();
        if (overwrite)
            messages.answerYes();
        FileOps::runBatchCopy(w);
        if (!overwrite) {
            EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("同一ファイルがあります。same.txt  のコピーできません。")});
            EXPECT_TRUE(w.previewShown);
            EXPECT_EQ(w.previewEntries, (QStringList{"keep.txt", "same.txt"}));
            EXPECT_EQ(w.previewMarks, QVector<int>{1});
            EXPECT_EQ(tree.names("dst"), QStringList{"keep.txt"});
        } else {
            EXPECT_EQ(tree.readFile("dst/same.txt"), "second");
            EXPECT_TRUE(tree.names("src").isEmpty());
        }
    }
}

TEST_F(BatchCopyRun, NothingSelectedAsksToSelectAll)
{
    tree.writeFile("src/a.txt");
    FolderCopyWindow& w = open();
    messages.answerNo();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(messages.texts(), QStringList{SelectAll});
    EXPECT_TRUE(w.sourceListFocused);

    messages.clear();
    messages.answerYes();
    messages.answerNo();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(messages.texts(), (QStringList{SelectAll, Confirm}));
    EXPECT_EQ(w.selectedSourceFiles(), QStringList{"a.txt"});
    EXPECT_FALSE(w.previewShown);
    EXPECT_TRUE(tree.names("dst").isEmpty());
}

TEST_F(BatchCopyRun, AnEmptySourceListPreviewsTheDestinationAndEndsNormally)
{
    tree.writeFile("dst/x.txt");
    FolderCopyWindow& w = open();
    messages.answerYes();
    messages.answerYes();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(messages.texts(), (QStringList{SelectAll, Confirm}));
    EXPECT_EQ(tree.names("dst"), QStringList{"x.txt"});
    EXPECT_EQ(w.destinationShown, QStringList{"x.txt"});
}

TEST_F(BatchCopyRun, AnUnsafePrefixIsRefusedInThePreviewNamingTheFile)
{
    tree.writeFile("src/a.txt");
    FolderCopyWindow& w = open();
    w.select({"a.txt"});
    w.rules.Prefix = "../";
    w.move = true;
    FileOps::runBatchCopy(w);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("a.txt  のコピー後のファイル名「../a.txt」")));
    EXPECT_FALSE(w.previewShown);
    EXPECT_EQ(tree.names(), (QStringList{"TEMP", "dst", "src"}));
    EXPECT_EQ(tree.names("src"), QStringList{"a.txt"});
}

TEST_F(BatchCopyRun, ACopyThatStopsEndsTheRunAfterItsFile)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("src/") + name);
    tree.setReadOnly("src/b.txt");
    FolderCopyWindow& w = open();
    w.select({"a.txt", "b.txt", "c.txt"});
    w.move = true;
    messages.answerYes();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(tree.names("dst"), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(tree.names("src"), (QStringList{"b.txt", "c.txt"}));
    EXPECT_EQ(w.statusLine, QStringLiteral("b.txt　　をコピー中です。"));
    EXPECT_EQ(w.destinationShown, (QStringList{"a.txt", "b.txt"}));
}

TEST_F(BatchCopyRun, ExtractedFilesFollowWithOneNumberingAndAreNeverDeleted)
{
    tree.writeFile("src/s.txt");
    tree.writeFile("MELT/sub/m.txt", "member");
    FolderCopyWindow& w = open();
    w.showExtracted(tree.path("MELT/sub"), {"m.txt"});
    w.move = true;
    w.rules.NameRule = 6;
    w.rules.SerialStart = 1;
    w.rules.SerialDigits = 1;
    w.rules.FromFront = false;
    messages.answerYes();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(messages.texts(), QStringList{Confirm});
    EXPECT_EQ(tree.names("dst"), QStringList{"m1.txt"});
    EXPECT_EQ(tree.readFile("MELT/sub/m.txt"), "member");

    w.select({"s.txt"});
    messages.answerYes();
    FileOps::runBatchCopy(w);
    EXPECT_EQ(tree.names("dst"), (QStringList{"m1.txt", "m2.txt", "s1.txt"}));
    EXPECT_TRUE(tree.exists("MELT/sub/m.txt"));
    EXPECT_FALSE(tree.exists("src/s.txt"));
}

// Moved sources are deleted group by group; a later copy, of a source or of an
// extracted file, may replace a file that still waits to be deleted.
TEST_F(BatchCopyRun, ACopyOntoAnEarlierMovedSourceLosesNothing)
{
    for (const bool extracted : {false, true}) {
        SCOPED_TRACE(extracted ? "extracted" : "source");
        TempTree t;
        t.writeFile("src/ab.txt", "ab");
        t.writeFile(extracted ? "MELT/axb.txt" : "src/axb.txt", "axb");
        t.makeFolder("TEMP");
        FolderCopyWindow w(t.path("src"), t.path("src"), t.path("TEMP"));
        w.select({"ab.txt", "axb.txt"});
        if (extracted)
            w.showExtracted(t.path("MELT"), {"axb.txt"});
        w.rules.NameRule = 2;
        w.rules.StartFromFront = 2;
        w.rules.CharCount = 1;
        w.move = true;
        w.overwrite = true;
        messages.answerYes();
        FileOps::runBatchCopy(w);
        EXPECT_EQ(t.names("src"), (QStringList{"a.txt", "ab.txt"}));
        EXPECT_EQ(t.readFile("src/a.txt"), "ab");
        EXPECT_EQ(t.readFile("src/ab.txt"), "axb");
    }
}

TEST_F(BatchCopyRun, ASourceThatCannotBeDeletedLaterInItsGroupKeepsTheRestInBothPlaces)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("src/") + name, name);
    FolderCopyWindow& w = open();
    w.select({"a.txt", "b.txt", "c.txt"});
    w.move = true;
    platform::injectFault(platform::FileOperation::DeleteFile, 57, "b.txt");
    messages.answerYes();
    FileOps::runBatchCopy(w);
    platform::clearInjectedFaults();
    EXPECT_EQ(messages.last(), platform::errorMessageText(platform::makeError(57)));
    EXPECT_EQ(tree.names("src"), (QStringList{"b.txt", "c.txt"}));
    EXPECT_EQ(tree.names("dst"), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(tree.readFile("dst/c.txt"), "c.txt");
    EXPECT_EQ(w.statusLine, QStringLiteral("c.txt　　をコピー中です。"));
}
