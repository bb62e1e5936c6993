#include "rename/rule_messages.h"
#include "rename/rule_set_check.h"
#include "rename/typed_rule_values.h"

#include <gtest/gtest.h>

namespace {

// The rule set as a copy request loads it from what the windows show.
RuleSet loaded(int nameRule, const TypedRuleValues& typed)
{
    RuleSet rules;
    rules.NameRule = nameRule;
    loadTypedValues(rules, typed);
    return rules;
}

TypedRuleValues fromFront(const QString& start, const QString& count = QString())
{
    TypedRuleValues typed;
    typed.start = start;
    typed.count = count;
    return typed;
}

TypedRuleValues fromBack(const QString& start, const QString& count = QString())
{
    TypedRuleValues typed = fromFront(start, count);
    typed.startFromFront = false;
    return typed;
}

void expectRefused(const RuleCheck& check, const QString& message, int focusField)
{
    EXPECT_EQ(check.Status, 9);
    EXPECT_EQ(check.message, message);
    EXPECT_EQ(check.FocusField, focusField);
}

void expectAccepted(const RuleCheck& check)
{
    EXPECT_EQ(check.Status, 0) << qPrintable(check.message);
    EXPECT_EQ(check.FocusField, 0);
}

}  // namespace

TEST(LoadTypedValues, TrimsPrefixAndSuffixButTakesTextsAsTyped)
{
    TypedRuleValues typed;
    typed.prefix = "  P_ ";
    typed.suffix = QStringLiteral("\u3000_S");
    typed.text = " new ";
    typed.newExtension = " doc";
    const RuleSet rules = loaded(1, typed);
    EXPECT_EQ(rules.Prefix, "P_");
    EXPECT_EQ(rules.Suffix, "_S");
    EXPECT_EQ(rules.RuleText, " new ");
    EXPECT_EQ(rules.NewExtension, " doc");
}

TEST(LoadTypedValues, TheStartGoesToTheChosenDirectionAndEveryOtherFieldIsRefilled)
{
    RuleSet rules;
    rules.NameRule = 4;
    rules.StartFromBack = 9;
    rules.CharCount = 9;
    rules.RuleText = "old";
    rules.SerialNumber = 77;
    TypedRuleValues typed = fromFront(QStringLiteral("１２"), " 3");
    typed.serialStart = "998";
    typed.serialDigits = "3";
    loadTypedValues(rules, typed);
    EXPECT_EQ(rules.StartFromFront, 12);
    EXPECT_EQ(rules.StartFromBack, 0);
    EXPECT_EQ(rules.CharCount, 3);
    EXPECT_EQ(rules.SerialStart, 998);
    EXPECT_EQ(rules.SerialDigits, 3);
    EXPECT_EQ(rules.RuleText, "");
    EXPECT_EQ(rules.SerialNumber, 77);

    loadTypedValues(rules, fromBack("4"));
    EXPECT_EQ(rules.StartFromFront, 0);
    EXPECT_EQ(rules.StartFromBack, 4);
    EXPECT_EQ(rules.SerialDigits, 0);
}

TEST(CheckRuleSet, RulesWithoutParametersPass)
{
    expectAccepted(checkRuleSet(loaded(0, {})));
    expectAccepted(checkRuleSet(loaded(5, fromFront(""))));
    expectAccepted(checkRuleSet(loaded(5, fromBack("0"))));
}

TEST(CheckRuleSet, SameNameNeedsANameAPrefixOrASuffix)
{
    expectRefused(checkRuleSet(loaded(1, {})), RuleMessages::NoNewName, 3);
    TypedRuleValues blanks;
    blanks.prefix = "   ";
    blanks.suffix = " ";
    expectRefused(checkRuleSet(loaded(1, blanks)), RuleMessages::NoNewName, 3);
    TypedRuleValues prefixOnly;
    prefixOnly.prefix = "P";
    expectAccepted(checkRuleSet(loaded(1, prefixOnly)));
    TypedRuleValues blankName;
    blankName.text = " ";
    expectAccepted(checkRuleSet(loaded(1, blankName)));
}

TEST(CheckRuleSet, DeleteAndReplaceNeedAStartOfOneOrMoreAndFromTheBackNoLongerCount)
{
    expectRefused(checkRuleSet(loaded(3, fromFront(""))), RuleMessages::StartBelowOne, 20);
    expectRefused(checkRuleSet(loaded(2, fromBack("0"))), RuleMessages::StartBelowOne, 10);
    expectRefused(checkRuleSet(loaded(2, fromBack("2", "3"))), RuleMessages::CountPastStart, 10);
    expectAccepted(checkRuleSet(loaded(2, fromBack("3", "3"))));
    // Counting from the front the run may pass the end of the name.
    expectAccepted(checkRuleSet(loaded(3, fromFront("2", "9"))));
}

TEST(CheckRuleSet, NumberRulesNeedASerialWidthAfterTheStartCheck)
{
    TypedRuleValues rule4 = fromFront("");
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::StartBelowOne, 30);
    rule4.start = "1";
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::SerialDigitsBelowOne, 33);
    rule4.serialDigits = "2";
    expectAccepted(checkRuleSet(loaded(4, rule4)));

    TypedRuleValues rule6 = fromFront("0");
    expectRefused(checkRuleSet(loaded(6, rule6)), RuleMessages::SerialDigitsBelowOne, 52);
    rule6.serialDigits = QStringLiteral("３");
    expectAccepted(checkRuleSet(loaded(6, rule6)));
}

TEST(CheckRuleSet, ANumberTooLargeForTheRuleSetIsRefusedAtItsField)
{
    TypedRuleValues rule4 = fromBack("40000", "1");
    rule4.serialDigits = "2";
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::TooLarge, 30);
    rule4.start = "5";
    rule4.count = "32768";
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::TooLarge, 31);
    rule4.count = "1";
    rule4.serialStart = "99999999999";
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::TooLarge, 32);
    rule4.serialStart = "32767";
    rule4.serialDigits = "32768";
    expectRefused(checkRuleSet(loaded(4, rule4)), RuleMessages::TooLarge, 33);

    TypedRuleValues rule6 = fromFront("0");
    rule6.serialStart = "70000";
    rule6.serialDigits = "1";
    expectRefused(checkRuleSet(loaded(6, rule6)), RuleMessages::TooLarge, 51);
    expectRefused(checkRuleSet(loaded(5, fromBack("32768"))), RuleMessages::TooLarge, 40);
}
