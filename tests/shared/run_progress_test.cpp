#include "shared/run_progress.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records the window's life and each update as "name bytes done" (the name
// once the window is due); asks to cancel once cancelAtBytes bytes are done.
struct RecordingView : RunProgressView {
    explicit RecordingView(qint64 atBytes) : cancelAtBytes(atBytes) {}
    void begin() override { shown << "begin"; }
    bool update(const RunProgressFigures& figures, bool windowDue) override
    {
        shown << (windowDue ? figures.currentName : QString()) + ' ' + QString::number(figures.bytesDone);
        return figures.bytesDone >= cancelAtBytes;
    }
    void end() override { shown << "end"; }

    const qint64 cancelAtBytes;
    QStringList shown;
};

// Unless a test says otherwise, a window from the first step on, updated at every step.
class RunProgressTest : public ::testing::Test {
protected:
    void SetUp() override { RunProgress::setTimingForTests(0, 0); }
    void TearDown() override { RunProgress::setTimingForTests(500, 100); }
};

}  // namespace

// No estimate before a second has passed, before anything is done, or without a total.
TEST(RunProgressTexts, SayWhereTheRunStands)
{
    const struct { RunProgressFigures figures; QString files, timeLeft; } cases[] = {
        {{12, 200, 0, 0, {}, 30000}, QStringLiteral("12 / 200 ファイル"), QStringLiteral("残り 約 8 分")},
        {{7, 0, 0, 0, {}, 5000}, QStringLiteral("7 ファイル"), QString()},
        {{1, 4, 100, 400, {}, 10000}, QStringLiteral("1 / 4 ファイル"), QStringLiteral("残り 約 30 秒")},
        {{5, 10, 0, 0, {}, 900}, QStringLiteral("5 / 10 ファイル"), QString()},
        {{0, 10, 0, 0, {}, 9000}, QStringLiteral("0 / 10 ファイル"), QString()},
        {{1, 100, 0, 0, {}, 120000}, QStringLiteral("1 / 100 ファイル"), QStringLiteral("残り 約 3 時間 18 分")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(progressFilesText(c.figures), c.files);
        EXPECT_EQ(progressTimeLeftText(c.figures), c.timeLeft) << c.files.toStdString();
    }
    EXPECT_TRUE(progressBytesText(cases[0].figures).isEmpty());
    // Sizes counted in units of 1024 bear the names of those units.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(progressBytesText({1, 4, 3355443, 125829120, {}, 0}), QStringLiteral("3.2 MiB / 120.0 MiB"));
    QLocale::setDefault(QLocale::system());
}

TEST_F(RunProgressTest, NoWindowBeforeItsTime)
{
    RunProgress::setTimingForTests(3600000, 0);
    RecordingView view(1000);
    RunProgress progress(&view, 2);
    EXPECT_TRUE(progress.step("a"));
    EXPECT_EQ(view.shown, QStringList({"begin", " 0"}));
}

// One big file after a small one: the window follows its data, counts each
// file's bytes once, and Cancel stops the run within the file; the window
// ends once, with the run.
TEST_F(RunProgressTest, BytesMoveWithinAFileAndCancelStopsItThere)
{
    RecordingView view(700);
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
        EXPECT_FALSE(view.shown.contains("end"));
    }
    EXPECT_EQ(view.shown, (QStringList{"begin", "small 0", "small 100", "big 100", "big 500", "big 700", "end"}));
}
