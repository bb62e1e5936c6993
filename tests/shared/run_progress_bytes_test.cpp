#include "shared/run_progress.h"

#include <QVector>

#include <gtest/gtest.h>

namespace {

// Shows the bytes of each update; cancels once cancelAtBytes are done.
class BytesView : public RunProgressView {
public:
    explicit BytesView(qint64 cancelAtBytes) : cancelAtBytes_(cancelAtBytes) {}
    void begin() override {}
    bool update(const RunProgressFigures& figures, bool /*windowDue*/) override
    {
        shownBytes.append(figures.bytesDone);
        return figures.bytesDone >= cancelAtBytes_;
    }
    void end() override {}

    QVector<qint64> shownBytes;

private:
    qint64 cancelAtBytes_;
};

}  // namespace

// One big file after a small one: the window follows its data, counts each
// file's bytes once, and Cancel stops the run within the file.
TEST(RunProgressBytes, MoveWithinAFileAndCancelStopsItThere)
{
    RunProgress::setTimingForTests(0, 0);
    BytesView view(700);
    {
        RunProgress progress(&view, 2, 1100);
        ASSERT_TRUE(progress.step("small"));
        EXPECT_TRUE(progress.written(100));
        progress.done(1, 100);
        ASSERT_TRUE(progress.step("big"));
        EXPECT_TRUE(progress.written(400));
        EXPECT_FALSE(progress.written(600));
        EXPECT_TRUE(progress.cancelled());
        EXPECT_FALSE(progress.written(800));
        EXPECT_FALSE(progress.step("next"));
        EXPECT_EQ(progress.figures().filesDone, 1);
    }
    RunProgress::setTimingForTests(500, 100);
    EXPECT_EQ(view.shownBytes, (QVector<qint64>{0, 100, 100, 500, 700}));
}
