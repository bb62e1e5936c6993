#include "file_ops/folder_run.h"
#include "file_ops/undo_offer.h"
#include "file_ops/undo_run.h"
#include "shared/run_progress.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace {

// Asks to cancel at its update number cancelAt.
class CancellingView : public RunProgressView {
public:
    explicit CancellingView(int cancelAt) : cancelAt_(cancelAt) {}
    void begin() override {}
    bool update(const RunProgressFigures&, bool) override { return ++updates_ >= cancelAt_; }
    void end() override {}

private:
    int cancelAt_;
    int updates_ = 0;
};

}  // namespace

// Cancel stops an undo before the next file, the files on their way going
// back whole; the rest stays to undo.
TEST(UndoRun, CancelStopsBeforeTheNextFile)
{
    TempTree tree;
    tree.makeFolder("TEMP");
    tree.makeFolder("d");
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("s/") + name, name);
    ScriptedMessages messages;
    messages.answerYes();
    FolderRun run(tree, {{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c.txt", "c.txt"}}, {}, true, false, "s", "d");
    FileOps::runBatchCopy(run);
    ASSERT_EQ(tree.names("d"), (QStringList{"a.txt", "b.txt", "c.txt"}));

    RunProgress::setTimingForTests(0, 0);
    CancellingView view(2);
    FileOps::UndoOutcome outcome;
    {
        RunProgress progress(&view, 3);
        outcome = FileOps::undoRun(FileOps::newestUndoableRun(tree.path("journal")).journalPath, progress);
    }
    RunProgress::setTimingForTests(500, 100);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.undone, 1);
    EXPECT_EQ(tree.names("s"), QStringList{"c.txt"});
    EXPECT_EQ(tree.readFile("s/c.txt"), "c.txt");
    EXPECT_EQ(tree.names("d"), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(FileOps::newestUndoableRun(tree.path("journal")).files, 2);
}

// The message names the first five files left, and counts the rest.
TEST(UndoRun, LeftFilesAreNamedThenCounted)
{
    const struct {
        QStringList left;
        QString message;
    } cases[] = {
        {{"a"}, QStringLiteral("元に戻せなかったファイル: a")},
        {{"a", "b", "c", "d", "e"}, QStringLiteral("元に戻せなかったファイル: a, b, c, d, e")},
        {{"a", "b", "c", "d", "e", "f", "g"}, QStringLiteral("元に戻せなかったファイル: a, b, c, d, e, ほか 2 個")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileOps::undoLeftMessage(c.left), c.message);
}
