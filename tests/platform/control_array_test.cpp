#include "platform/control_array.h"
#include "platform/message_box.h"
#include "support/scripted_messages.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// A lost-focus handler that shows a message and takes the focus back wins.
// Keys and double-clicks reach the handlers and keys still reach the control.
TEST(ControlArray, HandlersSeeFocusKeysAndDoubleClicksAsTheControlDoes)
{
    ScriptedMessages messages;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    platform::ControlArray fields;
    for (QWidget* field : {static_cast<QWidget*>(new QLineEdit), static_cast<QWidget*>(new QLineEdit),
                           static_cast<QWidget*>(new QPlainTextEdit)}) {
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
    fields.onKeyDown([&](int i, int key, int shift) { log << QStringLiteral("down%1:%2:%3").arg(i).arg(key).arg(shift); });
    fields.onKeyPress([&](int i, int ascii) {
        log << QStringLiteral("press%1:%2").arg(i).arg(ascii);
        if (i == 2 && ascii == platform::Key::Enter)
            platform::focusControl(fields.control(0));
    });
    fields.onDblClick([&](int i) { log << QStringLiteral("dbl%1").arg(i); });
    ui::showActive(&window);
    ui::focusByUser(fields.control(0));
    log.clear();
    ui::focusByUser(fields.control(1));
    EXPECT_EQ(log, QStringList({"lost0", "got0"}));
    EXPECT_EQ(QApplication::focusWidget(), fields.control(0));
    EXPECT_EQ(platform::focusedControl(), fields.control(0));
    EXPECT_EQ(messages.texts(), QStringList({"refused"}));

    refuseLeaving = false;
    ui::focusByUser(fields.control(2));
    log.clear();
    ui::pressKey(fields.control(2), Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    ui::pressKey(fields.control(2), Qt::Key_Return);
    ui::doubleClick(fields.control(2));
    EXPECT_EQ(log, QStringList({"down2:39:3", "down2:13:0", "press2:13", "lost2", "got0", "dbl2"}));
    // The multi-line field kept the line break the Enter typed.
    EXPECT_EQ(fields.at<QPlainTextEdit>(2)->toPlainText(), QStringLiteral("\n"));
}
