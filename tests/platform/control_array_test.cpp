#include "platform/control_array.h"
#include "platform/message_box.h"
#include "support/scripted_messages.h"
#include "support/ui_helpers.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// A lost-focus handler that shows a message and takes the focus back wins; an
// Enter whose handler moves the focus on still reaches its multi-line field.
// Key codes and double-clicks are checked through the main window's fields.
TEST(ControlArray, ARefusalKeepsTheFocusAndAKeyThatMovesItStillReachesTheControl)
{
    ScriptedMessages messages;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    platform::ControlArray fields;
    for (QWidget* field : {static_cast<QWidget*>(new QLineEdit), static_cast<QWidget*>(new QPlainTextEdit)}) {
        layout->addWidget(field);
        fields.add(layout->count() - 1, field);
    }
    QStringList log;
    bool refuseLeaving = true;
    fields.onGotFocus([&](int i) { log << QStringLiteral("got%1").arg(i); });
    fields.onLostFocus([&](int i) {
        log << QStringLiteral("lost%1").arg(i);
        if (i == 0 && refuseLeaving) {
            platform::showMessage(QStringLiteral("refused"));
            fields.control(0)->setFocus(Qt::OtherFocusReason);
        }
    });
    fields.onKeyPress([&](int i, int ascii) {
        if (i == 1 && ascii == platform::Key::Enter)
            platform::focusControl(fields.control(0));
    });
    ui::showActive(&window);
    ui::focusByUser(fields.control(0));
    log.clear();
    ui::focusByUser(fields.control(1));
    EXPECT_EQ(messages.texts(), QStringList({"refused"}));
    EXPECT_EQ(ui::focused(), fields.control(0));
    EXPECT_EQ(platform::focusedControl(), fields.control(0));

    refuseLeaving = false;
    ui::focusByUser(fields.control(1));
    ui::pressKey(fields.control(1), Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"lost0", "got0", "lost0", "got1", "lost1", "got0"}));
    EXPECT_EQ(fields.at<QPlainTextEdit>(1)->toPlainText(), QStringLiteral("\n"));
}
