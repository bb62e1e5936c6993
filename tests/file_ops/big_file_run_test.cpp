#include "file_ops/folder_run.h"
#include "shared/run_progress.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

namespace {

// More than one step of a file's copy, less than a test's tmpfs holds.
const QByteArray Big(6 * 1024 * 1024 + 123, 'b');
const QByteArray Small = "small";

// Cancels the run once part of its last file, the big one, is written.
struct CancelWithinBigFile : RunProgressView {
    void begin() override {}
    bool update(const RunProgressFigures& figures, bool) override
    {
        cancelledAt = figures.bytesDone - (figures.totalBytes - Big.size());
        return cancelledAt > 0;
    }
    void end() override {}
    qint64 cancelledAt = 0;
};

}  // namespace

// A run cancelled within a big file stops there: the files before it are
// placed, the big one nowhere, not even in part, its source whole, and what
// the destination held before stays.
TEST(BigFileRun, CancelWithinItLeavesNoPartialFileAndEverySourceWhole)
{
    const struct {
        const char *what, *to;  // from s to d, or to m: a volume of its own
        TestMount::Kind volume;  // of m
        bool move, replacing;  // replacing: the destination holds a B.bin already
    } cases[] = {
        {"copy through the staging folder", "d", TestMount::Kind::Tmpfs, false, true},
        {"move onto another volume", "m", TestMount::Kind::Tmpfs, true, false},
        {"copy onto a stick", "m", TestMount::Kind::Exfat, false, true},
    };
    RunProgress::setTimingForTests(0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        TestMount volume(tree, c.volume, "m");
        if (!volume.mounted() && QByteArray(c.to) == "m")
            continue;  // no mount possible here
        tree.makeFolder(c.to);
        tree.writeFile("s/a.txt", Small);
        tree.writeFile("s/big.bin", Big);
        if (c.replacing)
            tree.writeFile(QString(c.to) + "/B.bin", "old");
        FolderRun run(tree, {{"a.txt", "A.txt"}, {"big.bin", "B.bin"}}, {}, c.move, true, "s", c.to);
        CancelWithinBigFile view;
        run.view = &view;
        ScriptedMessages messages;
        messages.answerYes();

        EXPECT_EQ(FileOps::runBatchCopy(run), cancelledRunText(1, 2));
        EXPECT_EQ(messages.count(), 1) << messages.last().toStdString();
        EXPECT_TRUE(view.cancelledAt > 0 && view.cancelledAt < Big.size()) << view.cancelledAt;
        EXPECT_EQ(described(contents(tree, c.to)),
                  described(c.replacing ? Files{{"A.txt", Small}, {"B.bin", "old"}} : Files{{"A.txt", Small}}));
        EXPECT_EQ(described(contents(tree, "s")),
                  described(c.move ? Files{{"big.bin", Big}} : Files{{"a.txt", Small}, {"big.bin", Big}}));
        EXPECT_EQ(tree.names("TEMP"), QStringList());
    }
    RunProgress::setTimingForTests(500, 100);
}
