#include "platform/control_array.h"
#include "platform/message_box.h"
#include "support/scripted_messages.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window with three fields in one array that logs every handler call.
class ArrayWindow : public QWidget {
public:
    ArrayWindow()
    {
        auto* layout = new QVBoxLayout(this);
        for (int index = 0; index < 2; ++index) {
            auto* field = new QLineEdit(this);
            layout->addWidget(field);
            fields.add(index, field);
        }
        auto* multiLine = new QPlainTextEdit(this);
        layout->addWidget(multiLine);
        fields.add(2, multiLine);
        fields.onGotFocus([this](int i) { log << QStringLiteral("got%1").arg(i); });
        fields.onLostFocus([this](int i) {
            log << QStringLiteral("lost%1").arg(i);
            if (onLost)
                onLost(i);
        });
        fields.onKeyDown([this](int i, int key, int shift) {
            log << QStringLiteral("down%1:%2:%3").arg(i).arg(key).arg(shift);
        });
        fields.onKeyPress([this](int i, int ascii) {
            log << QStringLiteral("press%1:%2").arg(i).arg(ascii);
            if (onPress)
                onPress(i, ascii);
        });
        fields.onDblClick([this](int i) { log << QStringLiteral("dbl%1").arg(i); });
    }

    platform::ControlArray fields;
    QStringList log;
    std::function<void(int)> onLost;
    std::function<void(int, int)> onPress;
};

}  // namespace

// A lost-focus handler that shows a message and takes the focus back wins.
// Keys and double-clicks reach the handlers and keys still reach the control.
TEST(ControlArray, HandlersSeeFocusKeysAndDoubleClicksAsTheControlDoes)
{
    ScriptedMessages messages;
    ArrayWindow window;
    ui::showActive(&window);
    ui::focusByUser(window.fields.control(0));
    window.onLost = [&window](int i) {
        if (i != 0)
            return;
        platform::showMessage(QStringLiteral("refused"));
        window.fields.control(0)->setFocus(Qt::OtherFocusReason);
    };
    window.log.clear();
    ui::focusByUser(window.fields.control(1));
    EXPECT_EQ(window.log, QStringList({"lost0", "got0"}));
    EXPECT_EQ(QApplication::focusWidget(), window.fields.control(0));
    EXPECT_EQ(platform::focusedControl(), window.fields.control(0));
    EXPECT_EQ(messages.texts(), QStringList({"refused"}));

    window.onLost = nullptr;
    ui::focusByUser(window.fields.control(2));
    window.onPress = [&window](int i, int ascii) {
        if (i == 2 && ascii == platform::Key::Enter)
            platform::focusControl(window.fields.control(0));
    };
    window.log.clear();
    ui::pressKey(window.fields.control(2), Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    ui::pressKey(window.fields.control(2), Qt::Key_Return);
    EXPECT_EQ(window.log, QStringList({"down2:39:3", "down2:13:0", "press2:13", "lost2", "got0"}));
    // The multi-line field kept the line break the Enter typed.
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(window.fields.control(2))->toPlainText().contains('\n'));
    ui::doubleClick(window.fields.control(2));
    EXPECT_TRUE(window.log.contains("dbl2"));
}
