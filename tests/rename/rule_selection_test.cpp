#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

#include <QRadioButton>

namespace {

using RuleSelection = RuleWindowTest;

struct Validation {
    qint16 FocusField = 0;
    qint16 Status = 0;
};

}  // namespace

class RuleValidation : public RuleWindowTest {
protected:
    // What the Copy button does before asking to copy.
    Validation pressCopy()
    {
        Validation result;
        main().ValidateRules(result.FocusField, result.Status);
        if (result.Status > 0)
            main().focusRefusedField(result.FocusField);
        ui::settle();
        return result;
    }
    void selectNameOption(int index) { nameWindow().Option2.at<QRadioButton>(index)->click(); }
};

TEST_F(RuleValidation, SameNameIsRefusedWithoutANameAPrefixOrASuffixFocusingThePrefix)
{
    chooseNameRule(1);
    main().setText1(3, "   ");
    const Validation refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 3);
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::NoNewName});
    EXPECT_EQ(focus(), main().Text1.control(3));

    main().setText1(3, " P_ ");
    const Validation accepted = pressCopy();
    EXPECT_EQ(accepted.Status, 0);
    EXPECT_EQ(accepted.FocusField, 0);
    EXPECT_EQ(main().Rules.Prefix, "P_");
    EXPECT_EQ(messages_.count(), 1);
}

TEST_F(RuleValidation, AnEmptyStartIsRefusedWithTheFocusOnTheRulesStartField)
{
    chooseNameRule(3);
    ui::focusByUser(nameField(21));
    ui::focusByUser(copyButton());
    const Validation refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 20);
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::StartBelowOne});
    EXPECT_EQ(focus(), nameField(20));
}

TEST_F(RuleValidation, FromTheBackTheCountMayNotPassTheStart)
{
    chooseNameRule(2);
    selectNameOption(1);
    nameWindow().setText1(10, "2");
    nameWindow().setText1(11, "3");
    const Validation refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 10);
    EXPECT_EQ(messages_.last(), RuleMessages::CountPastStart);
    EXPECT_EQ(main().Rules.StartFromBack, 2);
    EXPECT_EQ(main().Rules.StartFromFront, 0);

    nameWindow().setText1(10, "3");
    EXPECT_EQ(pressCopy().Status, 0);
    EXPECT_EQ(main().Rules.CharCount, 3);
}

TEST_F(RuleValidation, NumberRulesNeedASerialWidthAndInsertPositionZeroIsValid)
{
    chooseNameRule(6);
    nameWindow().setText1(50, "0");
    EXPECT_EQ(pressCopy().FocusField, 52);
    EXPECT_EQ(messages_.last(), RuleMessages::SerialDigitsBelowOne);
    EXPECT_EQ(focus(), nameField(52));
    nameWindow().setText1(51, QStringLiteral("１０"));
    nameWindow().setText1(52, QStringLiteral("３"));
    EXPECT_EQ(pressCopy().Status, 0);
    EXPECT_EQ(main().Rules.SerialStart, 10);
    EXPECT_EQ(main().Rules.SerialDigits, 3);
}

TEST_F(RuleValidation, ANumberTooLargeThatReachedAFieldIsRefusedThere)
{
    chooseNameRule(4);
    nameWindow().setText1(30, "1");
    nameWindow().setText1(31, "99999");
    nameWindow().setText1(33, "2");
    const Validation refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 31);
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::TooLarge});
    EXPECT_EQ(focus(), nameField(31));
}

TEST_F(RuleValidation, OnlyTheChosenRulesFieldsAreLoaded)
{
    chooseNameRule(5);
    nameWindow().setText1(10, "7");  // a field of another rule
    nameWindow().setText1(40, QStringLiteral(" ２"));
    nameWindow().setText1(41, " x ");
    chooseExtensionRule(2);
    extensionWindow().setText1(1, "doc");
    extensionWindow().setText1(2, " bak");
    EXPECT_EQ(pressCopy().Status, 0);
    const RuleSet& rules = main().Rules;
    EXPECT_EQ(rules.StartFromFront, 2);
    EXPECT_EQ(rules.RuleText, " x ");
    EXPECT_EQ(rules.CharCount, 0);
    EXPECT_EQ(rules.NewExtension, " bak");
}

TEST_F(RuleSelection, NamesAreBuiltWithTheDirectionsTheWindowsShowNow)
{
    chooseNameRule(5);
    nameWindow().setText1(40, "2");
    nameWindow().setText1(41, "X");
    chooseExtensionRule(2);
    extensionWindow().setText1(2, "bak");
    main().LoadRuleSet();
    EXPECT_EQ(main().buildTargetName("abcdefg.txt"), "txtabXcdefg.bak");

    nameWindow().Option2.at<QRadioButton>(7)->click();
    extensionWindow().Option3.at<QRadioButton>(1)->click();
    main().LoadRuleSet();
    EXPECT_EQ(main().buildTargetName("abcdefg.txt"), "abcdefXgtxt.bak");
}

TEST_F(RuleSelection, ResettingUnloadsBothWindowsBackToTheirDesignValues)
{
    chooseNameRule(6);
    nameWindow().Option2.at<QRadioButton>(9)->click();
    ui::typeText(nameField(50), "4");
    pressEnter(nameField(50));
    chooseExtensionRule(2);
    extensionWindow().Option3.at<QRadioButton>(1)->click();
    main().setText1(3, "P");
    main().ResetRules();
    ui::settle();
    EXPECT_EQ(main().Rules.NameRule, 0);
    EXPECT_EQ(main().Rules.ExtRule, 0);
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 0));
    EXPECT_TRUE(main().isOptionSelected(main().Option2, 0));
    EXPECT_EQ(main().text1(3), "");
    EXPECT_FALSE(nameWindow().isVisible());
    EXPECT_TRUE(nameWindow().isOptionSelected(8));
    EXPECT_EQ(nameWindow().Remembered.LastStart, "");
    EXPECT_FALSE(extensionWindow().isVisible());
    EXPECT_TRUE(extensionWindow().isOptionSelected(0));
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}
