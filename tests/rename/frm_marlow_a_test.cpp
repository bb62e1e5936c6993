#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

#include <QApplication>

namespace {

constexpr quint32 FocusColor = 0xC0E0FF;
constexpr quint32 LeftColor = 0xC0C000;
constexpr quint32 InitialColor = 0xC0FFFF;

using FileNameWindow = RuleWindowTest;

}  // namespace

TEST_F(FileNameWindow, LoadsHiddenWithEveryFrameHiddenAndEveryDirectionFromTheFront)
{
    frmMarlowA& window = nameWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ファイル名操作窓"));
    for (int frame = 0; frame <= 5; ++frame)
        EXPECT_TRUE(window.Frame5.control(frame)->isHidden());
    for (int front = 0; front <= 8; front += 2) {
        EXPECT_TRUE(window.isOptionSelected(front));
        EXPECT_FALSE(window.isOptionSelected(front + 1));
    }
    for (int field : window.Text1.indices()) {
        EXPECT_EQ(platform::backColor(window.Text1.control(field)), InitialColor);
        EXPECT_EQ(window.Text1.control(field)->parentWidget(), window.Frame5.control(field / 10));
    }
    EXPECT_EQ(window.Text1.indices().size(), 15);
    EXPECT_EQ(window.Text1.control(52)->toolTip(), QStringLiteral("シリアル番号の桁数を指定します。１以上です。"));
    EXPECT_EQ(window.Option2.control(9)->toolTip(), QStringLiteral("元のファイル名に挿入すべき開始桁を後ろから数えます。"));
}

TEST_F(FileNameWindow, EachRuleShowsExactlyItsFrameWithTheFocusInItsFirstField)
{
    for (int rule = 1; rule <= 6; ++rule) {
        chooseNameRule(rule);
        EXPECT_EQ(main().Rules.NameRule, rule);
        ASSERT_TRUE(nameWindow().isVisible());
        for (int frame = 0; frame <= 5; ++frame)
            EXPECT_EQ(nameWindow().Frame5.control(frame)->isVisible(), frame == rule - 1) << rule;
        QWidget* first = nameField((rule - 1) * 10);
        EXPECT_EQ(focus(), first) << rule;
        EXPECT_EQ(QApplication::focusWidget(), first) << rule;
        EXPECT_EQ(platform::backColor(first), FocusColor);
    }
    EXPECT_EQ(statusLine(), QStringLiteral("元のファイル名に挿入すべき開始桁を指定してください。"));
    chooseNameRule(0);
    EXPECT_FALSE(nameWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_EQ(platform::backColor(nameField(50)), LeftColor);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, ANewRuleChoiceEmptiesEveryFieldAndLeavesTheHiddenOnesUntested)
{
    chooseNameRule(3);
    ui::typeText(nameField(20), "2");
    pressEnter(nameField(20));
    ui::typeText(nameField(21), "1");
    pressEnter(nameField(21));
    ui::typeText(nameField(22), "abc");
    EXPECT_EQ(nameWindow().text1(22), "abc");
    chooseNameRule(4);
    // Its emptied start differs from the remembered 2, but its frame is gone.
    chooseNameRule(3);
    for (int field : {20, 21, 22})
        EXPECT_EQ(nameWindow().text1(field), "") << field;
    EXPECT_EQ(focus(), nameField(20));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, EnterWalksThroughTheFieldsToTheCopyButtonRememberingEachText)
{
    chooseNameRule(4);
    ui::typeText(nameField(30), " 2 ");
    pressEnter(nameField(30));
    EXPECT_EQ(focus(), nameField(31));
    EXPECT_EQ(platform::backColor(nameField(30)), LeftColor);
    EXPECT_EQ(statusLine(), QStringLiteral("元のファイル名から削除する桁数を指定してください。"));
    ui::typeText(nameField(31), "0");
    pressEnter(nameField(31));
    EXPECT_EQ(focus(), nameField(32));
    ui::typeText(nameField(32), QStringLiteral("１"));
    pressEnter(nameField(32));
    EXPECT_EQ(focus(), nameField(33));
    pressEnter(nameField(33));
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::SerialDigitsBelowOne});
    EXPECT_EQ(focus(), nameField(33));
    ui::typeText(nameField(33), "3");
    pressEnter(nameField(33));
    EXPECT_EQ(focus(), copyButton());
    EXPECT_EQ(messages_.count(), 1);
    const RememberedTexts& remembered = nameWindow().Remembered;
    EXPECT_EQ(remembered.LastStart, "2");
    EXPECT_EQ(remembered.LastCount, "0");
    EXPECT_EQ(remembered.LastSerialStart, QStringLiteral("１"));
    EXPECT_EQ(remembered.LastSerialDigits, "3");
}

TEST_F(FileNameWindow, TextFieldsAndTheRuleTwoCountSendEnterToTheCopyButton)
{
    chooseNameRule(1);
    pressEnter(nameField(0));
    EXPECT_EQ(focus(), copyButton());
    chooseNameRule(2);
    ui::typeText(nameField(10), "1");
    pressEnter(nameField(10));
    pressEnter(nameField(11));
    EXPECT_EQ(focus(), copyButton());
    chooseNameRule(5);
    pressEnter(nameField(40));  // an empty insert position is 0, which is valid
    EXPECT_EQ(focus(), nameField(41));
    pressEnter(nameField(41));
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, RefusedInputKeepsTheFocusOnEnterAndWhenLeaving)
{
    chooseNameRule(2);
    pressEnter(nameField(10));
    EXPECT_EQ(messages_.last(), RuleMessages::StartBelowOne);
    EXPECT_EQ(focus(), nameField(10));

    ui::typeText(nameField(10), "3");
    ui::focusByUser(nameField(11));
    ui::typeText(nameField(11), "1a");
    pressEnter(nameField(11));
    EXPECT_EQ(messages_.last(), RuleMessages::NotANumber);
    EXPECT_EQ(focus(), nameField(11));
    ui::focusByUser(nameField(10));
    EXPECT_EQ(messages_.count(), 3);
    EXPECT_EQ(messages_.last(), RuleMessages::NotANumber);
    EXPECT_EQ(focus(), nameField(11));
    EXPECT_EQ(QApplication::focusWidget(), nameField(11));
    EXPECT_EQ(nameWindow().text1(11), "1a");
    EXPECT_EQ(nameWindow().Remembered.LastCount, "");
    EXPECT_EQ(nameWindow().Remembered.LastStart, "3");
}

TEST_F(FileNameWindow, ANumberAboveTheLimitIsRefusedOnEnterAndWhenLeaving)
{
    chooseNameRule(6);
    ui::typeText(nameField(50), "32768");
    pressEnter(nameField(50));
    EXPECT_EQ(messages_.last(), RuleMessages::TooLarge);
    EXPECT_EQ(focus(), nameField(50));
    ui::focusByUser(nameField(51));
    EXPECT_EQ(messages_.count(), 2);
    EXPECT_EQ(messages_.last(), RuleMessages::TooLarge);
    EXPECT_EQ(focus(), nameField(50));
    nameWindow().setText1(50, "32767");
    ui::focusByUser(nameField(51));
    EXPECT_EQ(focus(), nameField(51));
    EXPECT_EQ(nameWindow().Remembered.LastStart, "32767");
}

TEST_F(FileNameWindow, LeavingAnEmptySerialWidthIsRefusedEveryTime)
{
    chooseNameRule(6);
    ui::focusByUser(nameField(52));
    ui::focusByUser(nameField(51));
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::SerialDigitsBelowOne});
    EXPECT_EQ(focus(), nameField(52));
    ui::focusByUser(nameField(50));
    EXPECT_EQ(messages_.count(), 2);
    EXPECT_EQ(focus(), nameField(52));
}

TEST_F(FileNameWindow, TheRememberedStartOutlivesHidingSoAnEmptiedStartIsTestedAgain)
{
    chooseNameRule(2);
    ui::typeText(nameField(10), "5");
    pressEnter(nameField(10));
    chooseNameRule(0);
    chooseNameRule(3);
    EXPECT_EQ(nameWindow().Remembered.LastStart, "5");
    ui::focusByUser(nameField(21));
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::StartBelowOne});
    EXPECT_EQ(focus(), nameField(20));
}

TEST_F(FileNameWindow, RuleZeroHidesTheWindowWithoutTestingTheFieldLeft)
{
    chooseNameRule(2);
    ui::typeText(nameField(10), "5");
    pressEnter(nameField(10));
    chooseNameRule(3);
    ASSERT_EQ(focus(), nameField(20));
    chooseNameRule(0);
    EXPECT_FALSE(nameWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_EQ(platform::backColor(nameField(20)), LeftColor);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, ArrowKeysMoveBetweenTheFields)
{
    chooseNameRule(4);
    ui::pressKey(nameField(30), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(focus(), nameField(31));
    ui::pressKey(nameField(31), Qt::Key_Down);
    EXPECT_EQ(focus(), nameField(33));
    ui::typeText(nameField(33), "2");
    ui::pressKey(nameField(33), Qt::Key_Up);
    EXPECT_EQ(focus(), nameField(31));
    ui::pressKey(nameField(31), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(focus(), nameField(31));
    chooseNameRule(5);
    ui::pressKey(nameField(40), Qt::Key_Down);
    EXPECT_EQ(focus(), nameField(41));
    ui::pressKey(nameField(41), Qt::Key_Up);
    EXPECT_EQ(focus(), nameField(40));
    chooseNameRule(6);
    ui::focusByUser(nameField(52));
    ui::typeText(nameField(52), "2");
    ui::pressKey(nameField(52), Qt::Key_Up);
    EXPECT_EQ(focus(), nameField(50));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, TheCloseBoxBringsTheMainWindowBackToRuleZeroWithoutTestingTheFields)
{
    chooseNameRule(2);
    ui::typeText(nameField(10), "5");
    pressEnter(nameField(10));
    chooseNameRule(3);  // the emptied start now differs from the remembered 5
    ASSERT_EQ(focus(), nameField(20));
    nameWindow().close();
    ui::settle();
    EXPECT_FALSE(platform::FormInstance<frmMarlowA>::isLoaded());
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 0));
    EXPECT_EQ(main().Rules.NameRule, 0);
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
    // Loaded again it starts from its design values.
    EXPECT_EQ(nameWindow().Remembered.LastStart, "");
}

TEST_F(FileNameWindow, UnloadingByCodeLeavesTheRuleChoiceAlone)
{
    chooseNameRule(2);
    platform::FormInstance<frmMarlowA>::unload();
    ui::settle();
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 2));
    EXPECT_EQ(main().Rules.NameRule, 2);
    EXPECT_TRUE(messages_.texts().isEmpty());
}
