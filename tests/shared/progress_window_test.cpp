#include "shared/progress_window.h"
#include "support/ui_helpers.h"

#include <QWidget>

#include <new>

#include <gtest/gtest.h>

namespace {

class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* /*event*/) override { ++presses; }
};

}  // namespace

// A window closed during a run and a new one built where it lay (the same
// address, as the allocator may well give): the new one takes input as usual.
TEST(ProgressWindowInput, AWindowOpenedDuringTheRunInTheClosedOnesPlaceTakesInput)
{
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
}
