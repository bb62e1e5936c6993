#include "rename/rule_field_input.h"
#include "rename/rule_messages.h"

#include <gtest/gtest.h>

namespace {

constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Shift = 1, Ctrl = 2;

}  // namespace

TEST(FieldArrowKeys, MoveBetweenTheFieldsOfOneFrame)
{
    EXPECT_EQ(arrowKeyTarget(22, Up, 0), 20);
    EXPECT_EQ(arrowKeyTarget(33, Up, 0), 31);
    EXPECT_EQ(arrowKeyTarget(52, Up, 0), 50);
    EXPECT_EQ(arrowKeyTarget(51, Up, 0), 50);
    EXPECT_EQ(arrowKeyTarget(41, Up, 0), 40);
    EXPECT_EQ(arrowKeyTarget(31, Down, 0), 33);
    EXPECT_EQ(arrowKeyTarget(40, Down, 0), 41);
    EXPECT_EQ(arrowKeyTarget(30, Right, Shift), 31);
    EXPECT_EQ(arrowKeyTarget(32, Right, Shift), 33);
    EXPECT_EQ(arrowKeyTarget(52, Left, Shift), 51);
}

TEST(FieldArrowKeys, OtherKeysAndFieldsStay)
{
    EXPECT_EQ(arrowKeyTarget(30, Right, 0), FocusMove::Stay);
    EXPECT_EQ(arrowKeyTarget(30, Right, Shift | Ctrl), FocusMove::Stay);
    EXPECT_EQ(arrowKeyTarget(11, Right, Shift), FocusMove::Stay);
    EXPECT_EQ(arrowKeyTarget(10, Down, 0), FocusMove::Stay);
    EXPECT_EQ(arrowKeyTarget(20, Up, 0), FocusMove::Stay);
    EXPECT_EQ(arrowKeyTarget(0, Down, 0), FocusMove::Stay);
}

TEST(EnterInField, TextFieldsGoToTheCopyButtonUnchecked)
{
    RememberedTexts remembered;
    for (int index : {0, 22, 41})
        EXPECT_EQ(enterInField(index, "a.b 1", remembered).nextFocus, FocusMove::CopyButton);
}

TEST(EnterInField, AcceptedNumbersAreRememberedTrimmedAndMoveOn)
{
    RememberedTexts remembered;
    FieldOutcome outcome = enterInField(30, " 5 ", remembered);
    EXPECT_TRUE(outcome.refusal.isEmpty());
    EXPECT_EQ(outcome.nextFocus, 31);
    EXPECT_EQ(remembered.LastStart, "5");
    EXPECT_EQ(enterInField(11, "2", remembered).nextFocus, FocusMove::CopyButton);
    EXPECT_EQ(enterInField(21, "0", remembered).nextFocus, 22);
    EXPECT_EQ(enterInField(31, "", remembered).nextFocus, 32);
    EXPECT_EQ(remembered.LastCount, "");
    EXPECT_EQ(enterInField(51, QStringLiteral("１００"), remembered).nextFocus, 52);
    EXPECT_EQ(remembered.LastSerialStart, QStringLiteral("１００"));
    EXPECT_EQ(enterInField(52, "3", remembered).nextFocus, FocusMove::CopyButton);
    EXPECT_EQ(remembered.LastSerialDigits, "3");
    // 0 is a valid insert position, an empty one too.
    EXPECT_EQ(enterInField(40, "", remembered).nextFocus, 41);
    EXPECT_EQ(enterInField(50, "0", remembered).nextFocus, 51);
}

TEST(EnterInField, RefusalsKeepTheFocusAndRememberNothing)
{
    RememberedTexts remembered{"5", "2", "1", "3"};
    const RememberedTexts before = remembered;
    const struct {
        int index;
        const char* text;
        const QString& message;
    } cases[] = {
        {10, "", RuleMessages::StartBelowOne},      {20, "0", RuleMessages::StartBelowOne},
        {11, "1a", RuleMessages::NotANumber},       {40, "-1", RuleMessages::NotANumber},
        {33, "", RuleMessages::SerialDigitsBelowOne}, {52, "0", RuleMessages::SerialDigitsBelowOne},
        {32, "32768", RuleMessages::TooLarge},      {30, "40000", RuleMessages::TooLarge},
        {33, "1.", RuleMessages::NotANumber},
    };
    for (const auto& c : cases) {
        const FieldOutcome outcome = enterInField(c.index, QString::fromUtf8(c.text), remembered);
        EXPECT_EQ(outcome.refusal, c.message) << c.index << " " << c.text;
        EXPECT_EQ(outcome.nextFocus, FocusMove::Stay);
    }
    EXPECT_EQ(remembered.LastStart, before.LastStart);
    EXPECT_EQ(remembered.LastCount, before.LastCount);
    EXPECT_EQ(remembered.LastSerialStart, before.LastSerialStart);
    EXPECT_EQ(remembered.LastSerialDigits, before.LastSerialDigits);
}

TEST(LeaveField, OnlyAChangedTextIsTestedAndRemembered)
{
    RememberedTexts remembered;
    EXPECT_TRUE(leaveField(10, "", remembered).refusal.isEmpty());  // unchanged from the empty start
    EXPECT_EQ(leaveField(10, "1a", remembered).refusal, RuleMessages::NotANumber);
    EXPECT_EQ(remembered.LastStart, "");
    EXPECT_TRUE(leaveField(10, " 5", remembered).refusal.isEmpty());
    EXPECT_EQ(remembered.LastStart, "5");
    // The start is shared by every frame: an empty start after 5 has changed.
    EXPECT_EQ(leaveField(20, "", remembered).refusal, RuleMessages::StartBelowOne);
    EXPECT_TRUE(leaveField(40, "", remembered).refusal.isEmpty());
    EXPECT_EQ(remembered.LastStart, "");
    EXPECT_EQ(leaveField(31, "x", remembered).refusal, RuleMessages::NotANumber);
    EXPECT_EQ(leaveField(51, "99999", remembered).refusal, RuleMessages::TooLarge);
    EXPECT_EQ(remembered.LastSerialStart, "");
    EXPECT_TRUE(leaveField(0, "anything", remembered).refusal.isEmpty());
    EXPECT_TRUE(leaveField(22, "", remembered).refusal.isEmpty());
}

TEST(LeaveField, AnEmptySerialWidthIsRefusedEveryTime)
{
    RememberedTexts remembered;
    EXPECT_EQ(leaveField(33, "", remembered).refusal, RuleMessages::SerialDigitsBelowOne);
    EXPECT_EQ(leaveField(33, "", remembered).refusal, RuleMessages::SerialDigitsBelowOne);
    EXPECT_EQ(leaveField(52, "a", remembered).refusal, RuleMessages::NotANumber);
    EXPECT_TRUE(leaveField(52, QStringLiteral("２"), remembered).refusal.isEmpty());
    EXPECT_EQ(remembered.LastSerialDigits, QStringLiteral("２"));
    EXPECT_EQ(leaveField(33, "0", remembered).refusal, RuleMessages::SerialDigitsBelowOne);
}
