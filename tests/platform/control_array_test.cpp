#include "platform/control_array.h"
#include "support/ui_helpers.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// An Enter whose handler moves the focus on still reaches its multi-line field.
// Refusals that keep the focus, key codes and double-clicks are tested through
// the windows' own fields.
TEST(ControlArray, AKeyWhoseHandlerMovesTheFocusStillReachesItsControl)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    platform::ControlArray fields;
    for (QWidget* field : {static_cast<QWidget*>(new QLineEdit), static_cast<QWidget*>(new QPlainTextEdit)}) {
        layout->addWidget(field);
        fields.add(layout->count() - 1, field);
    }
    fields.onKeyPress([&](int i, int ascii) {
        if (i == 1 && ascii == platform::Key::Enter)
            platform::focusControl(fields.control(0));
    });
    ui::showActive(&window);
    ui::focusByUser(fields.control(1));
    ui::pressKey(fields.control(1), Qt::Key_Return);
    EXPECT_EQ(platform::focusedControl(), fields.control(0));
    EXPECT_EQ(fields.at<QPlainTextEdit>(1)->toPlainText(), QStringLiteral("\n"));
}
