#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"
#include "shared/field_colors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>

using RuleWindows = RuleWindowTest;

// Enter in an accepted extension goes on to the copy button.
TEST_F(RuleWindows, EachRuleShowsExactlyItsFrameWithTheFocusInItsFirstField)
{
    for (int rule = 1; rule <= 6; ++rule) {
        chooseNameRule(rule);
        for (int frame = 0; frame <= 5; ++frame)
            EXPECT_EQ(nameWindow().Frame5.control(frame)->isVisible(), frame == rule - 1) << rule;
        EXPECT_EQ(focus(), nameField((rule - 1) * 10)) << rule;
    }
    for (int rule = 1; rule <= 2; ++rule) {
        chooseExtensionRule(rule);
        const platform::ControlArray& frames = extensionWindow().Frame1;
        EXPECT_TRUE(frames.control(rule - 1)->isVisible() && !frames.control(2 - rule)->isVisible()) << rule;
        EXPECT_EQ(focus(), extensionField(rule)) << rule;
        typeAndEnter(extensionField(rule), "Jpeg");
        EXPECT_EQ(focus(), copyButton()) << rule;
    }
    EXPECT_EQ(extensionWindow().text1(1), "");
    chooseNameRule(0);
    chooseExtensionRule(0);
    EXPECT_FALSE(nameWindow().isVisible() || extensionWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(RuleWindows, FileNameFieldsAreTestedOnEnterAndWhenLeftChangedAgainstTheRememberedTexts)
{
    chooseNameRule(2);
    typeAndEnter(nameField(10), "5");
    chooseNameRule(4);
    EXPECT_EQ(nameWindow().text1(10), "");
    ui::focusByUser(nameField(31));  // the emptied start differs from the remembered 5
    EXPECT_EQ(messages.texts(), QStringList{RuleMessages::StartBelowOne});
    EXPECT_EQ(focus(), nameField(30));
    typeAndEnter(nameField(30), " 1 ");
    EXPECT_EQ(focus(), nameField(31));
    ui::pressKey(nameField(33), Qt::Key_Return);
    EXPECT_EQ(messages.last(), RuleMessages::SerialDigitsBelowOne);
    EXPECT_EQ(focus(), nameField(33));

    chooseNameRule(5);  // hides the refused field with its frame: it is not tested again
    EXPECT_EQ(messages.count(), 2);
    ui::pressKey(nameField(40), Qt::Key_Down);
    EXPECT_EQ(focus(), nameField(41));
}

// Closed by their close boxes or reset, the rule windows leave the main window
// at rule 0; loaded again after a reset, they show their design values.
TEST_F(RuleWindows, ClosingOrResettingBringsTheMainWindowBackToRuleZero)
{
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "close boxes");
        chooseNameRule(6);
        ui::click(nameWindow().Option2.at<QRadioButton>(9));
        chooseExtensionRule(2);
        ui::click(extensionWindow().Option3.at<QRadioButton>(1));
        if (reset) {
            mainWindow().ResetRules();
        } else {
            nameWindow().close();
            extensionWindow().close();
        }
        ui::settle();
        EXPECT_TRUE(mainWindow().isOptionSelected(mainWindow().Option1, 0)
                    && mainWindow().isOptionSelected(mainWindow().Option2, 0));
        EXPECT_EQ(mainWindow().Rules.NameRule + mainWindow().Rules.ExtRule, 0);
        EXPECT_EQ(focus(), copyButton());
    }
    EXPECT_TRUE(nameWindow().isOptionSelected(8) && extensionWindow().isOptionSelected(0));
}

TEST_F(RuleWindows, NamesAreBuiltFromTheChosenFieldsWithTheDirectionsTheWindowsShowNow)
{
    chooseNameRule(5);
    nameWindow().setText1(40, QStringLiteral("２"));
    nameWindow().setText1(41, "X");
    nameWindow().setText1(50, "7");  // a field of another rule
    chooseExtensionRule(2);
    extensionWindow().setText1(1, "doc");
    extensionWindow().setText1(2, "bak");
    mainWindow().setText1(3, " P_ ");
    mainWindow().LoadRuleSet();
    EXPECT_EQ(mainWindow().buildTargetName("abcdefg.txt"), "txtP_abXcdefg.bak");
    ui::click(nameWindow().Option2.at<QRadioButton>(7));
    ui::click(extensionWindow().Option3.at<QRadioButton>(1));
    mainWindow().LoadRuleSet();
    EXPECT_EQ(mainWindow().buildTargetName("abcdefg.txt"), "P_abcdefXgtxt.bak");
}

namespace {

// No caret: putting one out changes nothing on the screen.
bool drawsNoCaret(QWidget* field)
{
    const QImage shown = field->grab().toImage();
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(field, &out);
    return field->grab().toImage() == shown;
}

// A message box as the desktop shows it: it takes the activation while open
// and, once closed, the desktop gives it to the main window, the last one used.
// Notes whether the refused field looks focused, without a caret, meanwhile.
struct ActivatingMessages : ScriptedMessages {
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        platform::ModalDialogScope modal;
        QWidget box;
        ui::showActive(&box);
        refusedLooksFocused = platform::backColor(refused) == FieldColor::Focused && drawsNoCaret(refused);
        box.hide();
        ui::showActive(&platform::FormInstance<frmMarlow>::get());
        return ScriptedMessages::present(text, buttons);
    }
    QWidget* refused = nullptr;
    bool refusedLooksFocused = false;
};

}  // namespace

// A field refused on a click elsewhere keeps its focused look, without a caret,
// while its box is up; the focus goes back to it, whichever window the desktop
// activated after the box.
TEST_F(RuleWindows, ARefusedFieldLooksFocusedUnderItsOneBoxAndGetsTheFocusBack)
{
    chooseNameRule(4);
    chooseExtensionRule(1);
    ActivatingMessages boxes;
    QWidget* prefix = mainWindow().Text1.control(3);
    const QString missing = tree.path("missing");
    const struct { QWidget* field; QString refused; QString accepted; QString message; } cases[] = {
        {extensionField(1), "mp3", "", RuleMessages::LettersOnlyExtension},
        {nameField(33), "", "1", RuleMessages::SerialDigitsBelowOne},
        {mainWindow().Text1.control(1), missing, workFolder,
         missing + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        ui::sendMouse(c.field, QEvent::MouseButtonPress);  // the user acts, whatever the program did
        ui::focusByUser(c.field);
        platform::setTextOf(c.field, c.refused);
        boxes.clear();
        boxes.refused = c.field;
        boxes.refusedLooksFocused = false;
        ui::sendMouse(prefix, QEvent::MouseButtonPress);
        prefix->setFocus(Qt::MouseFocusReason);
        ui::showActive(&mainWindow());
        EXPECT_EQ(boxes.texts(), QStringList{c.message});
        EXPECT_TRUE(boxes.refusedLooksFocused);
        EXPECT_TRUE(focus() == c.field && QApplication::focusWidget() == c.field);
        platform::setTextOf(c.field, c.accepted);
    }
}
