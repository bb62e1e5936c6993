#include "platform/qt_message_presenter.h"
#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"
#include "support/desktop_session.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

bool framed(const QWidget& window) { return window.isVisible() && window.frameGeometry().height() > window.height(); }

QPoint centreOf(const QWidget* control) { return control->mapToGlobal(control->rect().center()); }

// Real message boxes, answered with Enter through the X server once they have
// the keyboard focus; with clickWhileUp, a click on a window the box blocks
// comes first.
struct BoxesAnsweredWithEnter : platform::MessagePresenter {
    explicit BoxesAnsweredWithEnter(QPoint click) : clickWhileUp(click) { platform::setMessagePresenter(this); }
    ~BoxesAnsweredWithEnter() override { platform::setMessagePresenter(nullptr); }
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        texts << text;
        QTimer script;
        bool clicked = clickWhileUp.isNull();
        QObject::connect(&script, &QTimer::timeout, [&script, &clicked, this] {
            const QWidget* box = QApplication::activeModalWidget();
            if (!box || DesktopSession::keyboardFocusWindow() != box->winId())
                return;
            if (!std::exchange(clicked, true))
                return DesktopSession::clickAt(clickWhileUp);
            script.stop();
            DesktopSession::pressKey(QStringLiteral("Return"));
        });
        script.start(100);
        return real.present(text, buttons);
    }
    QPoint clickWhileUp;
    QStringList texts;
    platform::QtMessagePresenter real;
};

class RuleWindowsOnADesktop : public RuleWindowTest {
protected:
    void SetUp() override
    {
        if (!DesktopSession::available())
            GTEST_SKIP() << "no X server with a window manager could be started";
        RuleWindowTest::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([this] { return framed(mainWindow()); }));
    }

    void showBothRuleWindows()
    {
        chooseNameRule(4);
        chooseExtensionRule(1);
        ASSERT_TRUE(QTest::qWaitFor([this] { return framed(nameWindow()) && framed(extensionWindow()); }));
    }
};

}  // namespace

// Title bars included, the file-name window stands directly on the extension
// window, and it comes back to the same place when loaded again.
TEST_F(RuleWindowsOnADesktop, TheRuleWindowsStandEdgeToEdgeOnEveryLoad)
{
    showBothRuleWindows();
    const QRect upper = nameWindow().frameGeometry(), lower = extensionWindow().frameGeometry();
    EXPECT_EQ(upper.bottom() + 1, lower.top());

    mainWindow().ResetRules();
    ui::settle();
    showBothRuleWindows();
    EXPECT_EQ(nameWindow().frameGeometry(), upper);
    EXPECT_EQ(extensionWindow().frameGeometry(), lower);
}

// A field refused each time the user clicks into the main window, with the
// mouse and keys going through the window manager: each refusal shows one box,
// the focus goes back to the field, and no click is lost, whether the user
// clicks the main window while the box is up or not.
TEST_F(RuleWindowsOnADesktop, EveryClickOnTheMainWindowShowsOneRefusal)
{
    if (!DesktopSession::realInputAvailable())
        GTEST_SKIP() << "xdotool is missing";
    showBothRuleWindows();
    QWidget* field = extensionField(1);
    DesktopSession::clickAt(centreOf(field));
    ASSERT_TRUE(QTest::qWaitFor([field] { return QApplication::focusWidget() == field; }));
    platform::setTextOf(field, QStringLiteral("mp3"));
    const QWidget* list = mainWindow().File1.control(0);
    const QPoint inList = list->mapToGlobal(QPoint(list->width() / 2, list->height() - 10));
    for (const QPoint clickWhileUp : {QPoint(), inList}) {
        SCOPED_TRACE(clickWhileUp.isNull() ? "Enter only" : "a click, then Enter");
        BoxesAnsweredWithEnter boxes(clickWhileUp);
        QVector<int> boxesPerClick;
        for (int attempt = 0; attempt < 10; ++attempt) {
            const int before = int(boxes.texts.size());
            DesktopSession::clickAt(centreOf(mainWindow().Text1.control(3)));
            EXPECT_TRUE(QTest::qWaitFor([&boxes, before, field] {
                return boxes.texts.size() > before && !QApplication::activeModalWidget()
                       && QApplication::focusWidget() == field;
            })) << attempt;
            QTest::qWait(500);  // a second box would come by now
            boxesPerClick << int(boxes.texts.size()) - before;
        }
        EXPECT_EQ(boxesPerClick, QVector<int>(10, 1));
        EXPECT_EQ(platform::focusedControl(), field);
        EXPECT_EQ(boxes.texts.value(0), RuleMessages::LettersOnlyExtension);
    }
}
