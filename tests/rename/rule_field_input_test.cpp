#include "rename/extension_check.h"
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

TEST(EnterInField, AcceptsAndMovesOnOrRefusesRememberingNothing)
{
    const QString ok, &NaN = RuleMessages::NotANumber;
    const struct { int index; const char* text; const QString& refusal; int next; } cases[] = {
        {0, "a.b 1", ok, Copy}, {22, "", ok, Copy}, {41, "x", ok, Copy}, {10, " 5 ", ok, 11}, {11, "2", ok, Copy},
        {21, "0", ok, 22}, {31, "", ok, 32}, {40, "", ok, 41}, {50, "0", ok, 51}, {51, "１００", ok, 52},
        {52, "3", ok, Copy}, {11, "1２", ok, Copy}, {10, "", RuleMessages::StartBelowOne, Stay},
        {20, "0", RuleMessages::StartBelowOne, Stay}, {33, "", RuleMessages::SerialDigitsBelowOne, Stay},
        {32, "32768", RuleMessages::TooLarge, Stay}, {30, "40000", RuleMessages::TooLarge, Stay},
        {31, "99999999999999999999", RuleMessages::TooLarge, Stay}, {11, "1a", NaN, Stay}, {40, "-1", NaN, Stay},
        // only ASCII and full-width digits: not their neighbours, nor digits of other scripts
        {11, "1 2", NaN, Stay}, {11, "/", NaN, Stay}, {11, ":", NaN, Stay}, {11, "一", NaN, Stay}, {11, "١", NaN, Stay}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " '" + c.text + "'");
        RememberedTexts remembered{"9", "9", "9", "9"};
        const FieldOutcome outcome = enterInField(c.index, QString::fromUtf8(c.text), remembered);
        EXPECT_EQ(outcome.refusal, c.refusal);
        EXPECT_EQ(outcome.nextFocus, c.next);
        const QString kept = remembered.LastStart + remembered.LastCount + remembered.LastSerialStart
                             + remembered.LastSerialDigits;
        EXPECT_TRUE(c.refusal.isEmpty() || kept == "9999") << kept.toStdString();
    }
}

// The rows run in order on one memory: the start 5 is shared by all frames.
TEST(LeaveField, TestsOnlyAChangedTextButAnEmptySerialWidthEveryTime)
{
    const QString ok;
    const struct { int index; const char* text; const QString& refusal; } steps[] = {
        {10, "", ok}, {10, "1a", RuleMessages::NotANumber}, {10, " 5", ok}, {20, "", RuleMessages::StartBelowOne},
        {40, "", ok}, {51, "99999", RuleMessages::TooLarge}, {33, "", RuleMessages::SerialDigitsBelowOne},
        {52, "", RuleMessages::SerialDigitsBelowOne}, {52, "２", ok}};
    RememberedTexts remembered;
    for (const auto& step : steps)
        EXPECT_EQ(leaveField(step.index, QString::fromUtf8(step.text), remembered).refusal, step.refusal) << step.index;
    EXPECT_EQ(remembered.LastStart + "|" + remembered.LastSerialStart + "|" + remembered.LastSerialDigits,
              QStringLiteral("||２"));
}

TEST(LettersOnlyExtension, OnlyAsciiLettersOrNothingPassOnceTrimmed)
{
    for (const char* text : {"txt", "TXT", "Jpeg", "", "   ", " doc "})
        EXPECT_TRUE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
    for (const char* text : {"mp3", "tar.gz", ".", "t xt", "[", "`", "ｔｘｔ", "été"})
        EXPECT_FALSE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
}
