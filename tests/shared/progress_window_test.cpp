#include "platform/file_name_codec.h"
#include "shared/progress_window.h"
#include "support/ui_helpers.h"

#include <QLabel>

#include <new>

#include <gtest/gtest.h>

namespace {

struct PressCounter : QWidget {
    void mousePressEvent(QMouseEvent* /*event*/) override { ++presses; }
    int presses = 0;
};

}  // namespace

// Input is dropped during a run. A window closed meanwhile and a new one built
// where it lay (the same address, as the allocator may well give): the new one
// takes input as usual. The current file's name shows as the lists show it.
TEST(ProgressWindow, DropsInputOnlyToWindowsOpenAtItsStartAndShowsTheNameReadably)
{
    QStringList shown;
    ProgressWindow::setShownHookForTests([&shown](QWidget* window, const RunProgressFigures&) {
        for (const QLabel* label : window->findChildren<QLabel*>())
            shown << label->text();
    });
    alignas(PressCounter) unsigned char place[sizeof(PressCounter)];
    auto* closed = new (place) PressCounter;
    ui::showActive(closed);
    ProgressWindow progress(nullptr, QStringLiteral("…"));
    progress.begin();
    ui::sendMouse(closed, QEvent::MouseButtonPress);
    EXPECT_EQ(closed->presses, 0);
    closed->~PressCounter();
    auto* opened = new (place) PressCounter;
    ui::showActive(opened);
    ui::sendMouse(opened, QEvent::MouseButtonPress);
    EXPECT_EQ(opened->presses, 1);
    opened->~PressCounter();

    RunProgressFigures figures;
    figures.currentName = platform::decodeFileName("a\nb\xff.txt");
    progress.update(figures, true);
    progress.end();
    ProgressWindow::setShownHookForTests({});
    EXPECT_TRUE(shown.contains(QStringLiteral("a⏎b\uFFFD.txt"))) << shown.join('|').toStdString();
}
