#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

namespace {

constexpr quint32 FocusColor = 0xC0E0FF;
constexpr quint32 LeftColor = 0xC0C000;

using FileNameWindow = RuleWindowTest;

}  // namespace

TEST_F(FileNameWindow, EachRuleShowsExactlyItsFrameWithTheFocusInItsFirstField)
{
    EXPECT_FALSE(nameWindow().isVisible());
    for (int rule = 1; rule <= 6; ++rule) {
        chooseNameRule(rule);
        EXPECT_EQ(main().Rules.NameRule, rule);
        ASSERT_TRUE(nameWindow().isVisible());
        for (int frame = 0; frame <= 5; ++frame)
            EXPECT_EQ(nameWindow().Frame5.control(frame)->isVisible(), frame == rule - 1) << rule;
        EXPECT_EQ(focus(), nameField((rule - 1) * 10)) << rule;
        EXPECT_EQ(platform::backColor(nameField((rule - 1) * 10)), FocusColor);
    }
    EXPECT_EQ(main().Label2->text(), QStringLiteral("元のファイル名に挿入すべき開始桁を指定してください。"));
    chooseNameRule(0);
    EXPECT_FALSE(nameWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_EQ(platform::backColor(nameField(50)), LeftColor);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, EnterWalksToTheCopyButtonRememberingEachTextAndStopsAtARefusal)
{
    chooseNameRule(4);
    typeAndEnter(nameField(30), " 2 ");
    EXPECT_EQ(focus(), nameField(31));
    typeAndEnter(nameField(31), "0");
    typeAndEnter(nameField(32), QStringLiteral("１"));
    EXPECT_EQ(focus(), nameField(33));
    ui::pressKey(nameField(33), Qt::Key_Return);
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::SerialDigitsBelowOne});
    EXPECT_EQ(focus(), nameField(33));
    typeAndEnter(nameField(33), "3");
    EXPECT_EQ(focus(), copyButton());
    EXPECT_EQ(messages_.count(), 1);
    const RememberedTexts& remembered = nameWindow().Remembered;
    EXPECT_EQ(remembered.LastStart + remembered.LastCount + remembered.LastSerialStart + remembered.LastSerialDigits,
              QStringLiteral("20１3"));
}

TEST_F(FileNameWindow, TheRememberedStartOutlivesANewRuleSoAnEmptiedStartIsTestedWhenLeft)
{
    chooseNameRule(2);
    typeAndEnter(nameField(10), "5");
    chooseNameRule(3);
    EXPECT_EQ(nameWindow().text1(10), "");
    ui::focusByUser(nameField(21));
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::StartBelowOne});
    EXPECT_EQ(focus(), nameField(20));
    ui::typeText(nameField(20), "1a");
    ui::focusByUser(nameField(21));
    EXPECT_EQ(messages_.last(), RuleMessages::NotANumber);
    EXPECT_EQ(focus(), nameField(20));
    EXPECT_EQ(nameWindow().text1(20), "1a");
    EXPECT_EQ(nameWindow().Remembered.LastStart, "5");
}

TEST_F(FileNameWindow, AFieldThatANewChoiceHidesIsNotTested)
{
    chooseNameRule(2);
    typeAndEnter(nameField(10), "5");
    chooseNameRule(3);  // the focus is in an emptied start, which differs from 5
    chooseNameRule(4);  // its frame is hidden
    EXPECT_EQ(focus(), nameField(30));
    chooseNameRule(0);  // the whole window is hidden
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FileNameWindow, ArrowKeysMoveBetweenTheFields)
{
    chooseNameRule(5);
    ui::pressKey(nameField(40), Qt::Key_Down);
    EXPECT_EQ(focus(), nameField(41));
    ui::pressKey(nameField(41), Qt::Key_Up);
    EXPECT_EQ(focus(), nameField(40));
    ui::pressKey(nameField(40), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(focus(), nameField(40));
}

TEST_F(FileNameWindow, OnlyTheCloseBoxBringsTheMainWindowBackToRuleZero)
{
    chooseNameRule(2);
    platform::FormInstance<frmMarlowA>::unload();
    ui::settle();
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 2));

    chooseNameRule(3);
    nameWindow().close();
    ui::settle();
    EXPECT_FALSE(platform::FormInstance<frmMarlowA>::isLoaded());
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 0));
    EXPECT_EQ(main().Rules.NameRule, 0);
    EXPECT_EQ(focus(), copyButton());
}
