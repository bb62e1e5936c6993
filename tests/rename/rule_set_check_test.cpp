#include "rename/rule_messages.h"
#include "rename/rule_set_check.h"
#include "rename/typed_rule_values.h"

#include <gtest/gtest.h>

TEST(CheckRuleSet, RefusesInOrderAndNamesTheFieldToCorrect)
{
    constexpr bool Front = true, Back = false;
    const QString ok;
    // texts: start, count, serial start, serial digits, prefix, suffix, new name
    const struct { int rule; bool front; const char* texts[7]; const QString& message; int focusField; } cases[] = {
        {1, Front, {"", "", "", "", "  ", "\u3000"}, RuleMessages::NoNewName, 3},
        {1, Front, {"", "", "", "", "P"}, ok, 0},
        {1, Front, {"", "", "", "", "", "", " "}, ok, 0},  // only prefix and suffix are trimmed
        {3, Front, {""}, RuleMessages::StartBelowOne, 20},
        {2, Back, {"0"}, RuleMessages::StartBelowOne, 10},
        {2, Back, {"2", "3"}, RuleMessages::CountPastStart, 10},
        {2, Back, {"3", "3"}, ok, 0},
        {4, Front, {""}, RuleMessages::StartBelowOne, 30},
        {4, Front, {"1"}, RuleMessages::SerialDigitsBelowOne, 33},
        {4, Front, {"1", "", "0", "2"}, ok, 0},
        {6, Front, {"0"}, RuleMessages::SerialDigitsBelowOne, 52},
        {6, Front, {"0", "", "", "３"}, ok, 0},
        {4, Back, {"40000", "1", "", "2"}, RuleMessages::TooLarge, 30},
        {4, Front, {"5", "32768", "", "2"}, RuleMessages::TooLarge, 31},
        {4, Front, {"5", "1", "99999999999", "2"}, RuleMessages::TooLarge, 32},
        {4, Front, {"0", "1", "1", "32768"}, RuleMessages::TooLarge, 33},
        {6, Front, {"0", "", "70000", "1"}, RuleMessages::TooLarge, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rule " << c.rule << " start " << c.texts[0] << " count " << c.texts[1]);
        const auto text = [&c](int i) { return QString::fromUtf8(c.texts[i]); };
        RuleSet rules;
        rules.NameRule = c.rule;
        loadTypedValues(rules, {text(4), text(5), c.front, text(0), text(1), text(6), text(2), text(3), QString()});
        const RuleCheck check = checkRuleSet(rules);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.FocusField, c.focusField);
        EXPECT_EQ(check.Status, c.message.isEmpty() ? 0 : 9);
    }
}
