#include "rename/rule_field_input.h"
#include "rename/rule_messages.h"

#include <gtest/gtest.h>

namespace {
constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Shift = 1, Ctrl = 2;
constexpr int Stay = FocusMove::Stay, Copy = FocusMove::CopyButton;
}  // namespace

TEST(FieldArrowKeys, MoveWithinAFrameOnly)
{
    const struct { int index, key, shift, target; } moves[] = {
        {22, Up, 0, 20}, {33, Up, 0, 31}, {52, Up, 0, 50}, {51, Up, 0, 50}, {41, Up, 0, 40}, {20, Up, 0, Stay},
        {31, Down, 0, 33}, {40, Down, 0, 41}, {10, Down, 0, Stay}, {30, Right, Shift, 31}, {32, Right, Shift, 33},
        {30, Right, 0, Stay}, {30, Right, Shift | Ctrl, Stay}, {11, Right, Shift, Stay}, {52, Left, Shift, 51}};
    for (const auto& m : moves)
        EXPECT_EQ(arrowKeyTarget(m.index, m.key, m.shift), m.target) << m.index << " key " << m.key;
}

TEST(EnterInField, AcceptsAndMovesOnOrRefusesAndStays)
{
    const QString none;
    const struct { int index; const char* text; const QString& refusal; int next; } cases[] = {
        {0, "a.b 1", none, Copy}, {22, "", none, Copy}, {41, "x", none, Copy},
        {10, " 5 ", none, 11}, {11, "2", none, Copy}, {21, "0", none, 22}, {31, "", none, 32},
        {40, "", none, 41}, {50, "0", none, 51}, {51, "１００", none, 52}, {52, "3", none, Copy},
        {10, "", RuleMessages::StartBelowOne, Stay}, {20, "0", RuleMessages::StartBelowOne, Stay},
        {11, "1a", RuleMessages::NotANumber, Stay}, {40, "-1", RuleMessages::NotANumber, Stay},
        {33, "", RuleMessages::SerialDigitsBelowOne, Stay}, {32, "32768", RuleMessages::TooLarge, Stay},
        {30, "40000", RuleMessages::TooLarge, Stay}};
    for (const auto& c : cases) {
        RememberedTexts remembered{"9", "9", "9", "9"};
        const FieldOutcome outcome = enterInField(c.index, QString::fromUtf8(c.text), remembered);
        EXPECT_EQ(outcome.refusal, c.refusal) << c.index << " " << c.text;
        EXPECT_EQ(outcome.nextFocus, c.next) << c.index << " " << c.text;
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(remembered.LastStart + remembered.LastCount + remembered.LastSerialStart +
                          remembered.LastSerialDigits, "9999") << c.index << " " << c.text;
        }
    }
    RememberedTexts remembered;
    enterInField(30, " 5 ", remembered);
    EXPECT_EQ(remembered.LastStart, "5");
}

TEST(LeaveField, TestsOnlyAChangedTextButAnEmptySerialWidthEveryTime)
{
    RememberedTexts remembered;
    EXPECT_TRUE(leaveField(10, "", remembered).refusal.isEmpty());
    EXPECT_EQ(leaveField(10, "1a", remembered).refusal, RuleMessages::NotANumber);
    EXPECT_TRUE(leaveField(10, " 5", remembered).refusal.isEmpty());
    EXPECT_EQ(remembered.LastStart, "5");
    // Shared by every frame: an emptied start after 5 has changed.
    EXPECT_EQ(leaveField(20, "", remembered).refusal, RuleMessages::StartBelowOne);
    EXPECT_TRUE(leaveField(40, "", remembered).refusal.isEmpty());
    EXPECT_EQ(leaveField(51, "99999", remembered).refusal, RuleMessages::TooLarge);
    EXPECT_EQ(remembered.LastSerialStart, "");
    EXPECT_EQ(leaveField(33, "", remembered).refusal, RuleMessages::SerialDigitsBelowOne);
    EXPECT_EQ(leaveField(52, "", remembered).refusal, RuleMessages::SerialDigitsBelowOne);
    EXPECT_TRUE(leaveField(52, QStringLiteral("２"), remembered).refusal.isEmpty());
    EXPECT_EQ(remembered.LastSerialDigits, QStringLiteral("２"));
}
