#include "rename/rule_messages.h"
#include "rename/rule_set_check.h"
#include "rename/typed_rule_values.h"

#include <gtest/gtest.h>

namespace {

// The rule set as a copy request loads it from the windows.
RuleSet loaded(int nameRule, const TypedRuleValues& typed)
{
    RuleSet rules;
    rules.NameRule = nameRule;
    loadTypedValues(rules, typed);
    return rules;
}

TypedRuleValues typed(bool front, const char* start, const char* count = "", const char* serialStart = "",
                      const char* serialDigits = "")
{
    TypedRuleValues values;
    values.startFromFront = front;
    values.start = QString::fromUtf8(start);
    values.count = QString::fromUtf8(count);
    values.serialStart = QString::fromUtf8(serialStart);
    values.serialDigits = QString::fromUtf8(serialDigits);
    return values;
}

TypedRuleValues sameName(const char* prefix, const char* suffix, const char* name)
{
    TypedRuleValues values;
    values.prefix = QString::fromUtf8(prefix);
    values.suffix = QString::fromUtf8(suffix);
    values.text = QString::fromUtf8(name);
    return values;
}

constexpr bool Front = true, Back = false;

}  // namespace

TEST(CheckRuleSet, RefusesInOrderAndNamesTheFieldToCorrect)
{
    const QString accepted;
    const struct {
        int rule;
        TypedRuleValues values;
        const QString& message;
        int focusField;
    } cases[] = {
        {0, typed(Front, ""), accepted, 0},
        {1, sameName("  ", "\u3000", ""), RuleMessages::NoNewName, 3},
        {1, sameName("P", "", ""), accepted, 0},
        {1, sameName("", "", " "), accepted, 0},  // only prefix and suffix are trimmed
        {5, typed(Back, "0"), accepted, 0},
        {3, typed(Front, ""), RuleMessages::StartBelowOne, 20},
        {2, typed(Back, "0"), RuleMessages::StartBelowOne, 10},
        {2, typed(Back, "2", "3"), RuleMessages::CountPastStart, 10},
        {2, typed(Back, "3", "3"), accepted, 0},
        {3, typed(Front, "2", "9"), accepted, 0},
        {4, typed(Front, "", "", "", ""), RuleMessages::StartBelowOne, 30},
        {4, typed(Front, "1", "", "", ""), RuleMessages::SerialDigitsBelowOne, 33},
        {4, typed(Front, "1", "", "0", "2"), accepted, 0},
        {6, typed(Front, "0"), RuleMessages::SerialDigitsBelowOne, 52},
        {6, typed(Front, "0", "", "", "３"), accepted, 0},
        {4, typed(Back, "40000", "1", "", "2"), RuleMessages::TooLarge, 30},
        {4, typed(Front, "5", "32768", "", "2"), RuleMessages::TooLarge, 31},
        {4, typed(Front, "5", "1", "99999999999", "2"), RuleMessages::TooLarge, 32},
        {4, typed(Front, "0", "1", "1", "32768"), RuleMessages::TooLarge, 33},
        {6, typed(Front, "0", "", "70000", "1"), RuleMessages::TooLarge, 51},
        {5, typed(Back, "32768"), RuleMessages::TooLarge, 40},
    };
    for (const auto& c : cases) {
        const RuleCheck check = checkRuleSet(loaded(c.rule, c.values));
        const auto where = [&c] { return std::to_string(c.rule) + " start " + qPrintable(c.values.start); };
        EXPECT_EQ(check.message, c.message) << where();
        EXPECT_EQ(check.FocusField, c.focusField) << where();
        EXPECT_EQ(check.Status, c.message.isEmpty() ? 0 : 9) << where();
    }
}
