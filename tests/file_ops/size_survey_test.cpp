#include "file_ops/size_survey.h"
#include "shared/run_progress.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace {

struct LastShownFigures : RunProgressView {
    void begin() override {}
    bool update(const RunProgressFigures& figures, bool windowDue) override
    {
        if (windowDue)
            shown = figures;
        return false;
    }
    void end() override {}
    RunProgressFigures shown;
};

}  // namespace

// Files done before the window first shows count there with their bytes,
// whether their sizes were known by then or not.
TEST(SizeSurvey, TheWindowCountsTheBytesOfEveryFileDone)
{
    TempTree tree;
    tree.writeFile("s/a", QByteArray(100, 'a'));
    tree.writeFile("s/b", QByteArray(20, 'b'));
    tree.writeFile("x/c", QByteArray(3, 'c'));
    LastShownFigures view;
    RunProgress::setTimingForTests(1000 * 1000, 0);
    {
        RunProgress progress(&view, 3);
        FileOps::SizeSurvey sizes({{tree.path("s"), {"a", "b"}}, {tree.path("x"), {"c"}}}, progress);
        sizes.countDone();
        sizes.countDone();
        RunProgress::setTimingForTests(0, 0);
        progress.step("c");
        EXPECT_EQ((QVector<qint64>{view.shown.totalBytes, view.shown.bytesDone, view.shown.filesDone}),
                  (QVector<qint64>{123, 120, 2}));
        sizes.countDone();  // its size known by now
        EXPECT_EQ(progress.figures().bytesDone, 123);
    }
    RunProgress::setTimingForTests(500, 100);
}
