#include "platform/control_array.h"
#include "platform/qt_message_presenter.h"
#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"
#include "support/desktop_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

// Lets the desktop work until the condition holds or it has had ample time.
template <class Condition>
bool settleUntil(Condition condition, int milliseconds = 5000)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

bool framed(const QWidget& window)
{
    return window.isVisible() && window.frameGeometry().height() > window.height();
}

// Real message boxes, each dismissed with Enter once shown; counts them.
class BoxesDismissedWithEnter : public platform::MessagePresenter {
public:
    BoxesDismissedWithEnter() { platform::setMessagePresenter(this); }
    ~BoxesDismissedWithEnter() override { platform::setMessagePresenter(nullptr); }
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        texts << text;
        QTimer::singleShot(300, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                QApplication::sendEvent(box, &enter);
            }
        });
        return real_.present(text, buttons);
    }
    QStringList texts;

private:
    platform::QtMessagePresenter real_;
};

class RuleWindowsOnADesktop : public RuleWindowTest {
protected:
    void SetUp() override
    {
        if (!DesktopSession::available())
            GTEST_SKIP() << "no X server with a window manager could be started";
        RuleWindowTest::SetUp();
        ASSERT_TRUE(settleUntil([this] { return framed(mainWindow()); }));
    }

    void showBothRuleWindows()
    {
        chooseNameRule(4);
        chooseExtensionRule(1);
        ASSERT_TRUE(settleUntil([this] { return framed(nameWindow()) && framed(extensionWindow()); }));
    }
};

}  // namespace

// Title bars included, the file-name window stands directly on the extension
// window, and it comes back to the same place when loaded again.
TEST_F(RuleWindowsOnADesktop, TheRuleWindowsStandEdgeToEdgeOnEveryLoad)
{
    showBothRuleWindows();
    const QRect upper = nameWindow().frameGeometry(), lower = extensionWindow().frameGeometry();
    EXPECT_FALSE(upper.intersects(lower)) << upper.bottom() << " " << lower.top();
    EXPECT_EQ(upper.bottom() + 1, lower.top());

    mainWindow().ResetRules();
    ui::settle();
    showBothRuleWindows();
    EXPECT_EQ(nameWindow().frameGeometry(), upper);
    EXPECT_EQ(extensionWindow().frameGeometry(), lower);
}

// An extension refused when the user moves to the main window: the box,
// dismissed with Enter, comes once and the focus goes back to the field.
TEST_F(RuleWindowsOnADesktop, ARefusalAcrossWindowsShowsOneBox)
{
    showBothRuleWindows();
    ui::focusByUser(extensionField(1));
    ASSERT_TRUE(settleUntil([this] { return QApplication::focusWidget() == extensionField(1); }));
    platform::setTextOf(extensionField(1), QStringLiteral("mp3"));
    BoxesDismissedWithEnter boxes;
    QWidget* prefix = mainWindow().Text1.control(3);
    prefix->setFocus(Qt::MouseFocusReason);
    mainWindow().activateWindow();
    settleUntil([&boxes] { return !boxes.texts.isEmpty() && !QApplication::activeModalWidget(); });
    settleUntil([] { return false; }, 1500);  // whatever the desktop still does
    EXPECT_EQ(boxes.texts, QStringList{RuleMessages::LettersOnlyExtension});
    EXPECT_EQ(platform::focusedControl(), extensionField(1));
}
