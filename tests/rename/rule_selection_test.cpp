#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

class RuleValidation : public RuleWindowTest {
protected:
    struct Result {
        qint16 FocusField = 0;
        qint16 Status = 0;
    };
    // What the Copy button does before it asks to copy.
    Result pressCopy()
    {
        Result result;
        main().ValidateRules(result.FocusField, result.Status);
        if (result.Status > 0)
            main().focusRefusedField(result.FocusField);
        ui::settle();
        return result;
    }
};

TEST_F(RuleValidation, SameNameWithoutANameAPrefixOrASuffixSendsTheFocusToThePrefix)
{
    chooseNameRule(1);
    main().setText1(3, "   ");
    const Result refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 3);
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::NoNewName});
    EXPECT_EQ(focus(), main().Text1.control(3));
    main().setText1(3, " P_ ");
    EXPECT_EQ(pressCopy().Status, 0);
    EXPECT_EQ(main().Rules.Prefix, "P_");
}

TEST_F(RuleValidation, ARefusedNumberSendsTheFocusToItsFieldInTheFileNameWindow)
{
    chooseNameRule(3);
    ui::focusByUser(copyButton());
    EXPECT_EQ(pressCopy().FocusField, 20);
    EXPECT_EQ(messages_.last(), RuleMessages::StartBelowOne);
    EXPECT_EQ(focus(), nameField(20));

    chooseNameRule(4);
    nameWindow().setText1(30, "1");
    nameWindow().setText1(31, "99999");  // dropped in, never tested by the window
    nameWindow().setText1(33, "2");
    const Result refused = pressCopy();
    EXPECT_EQ(refused.Status, 9);
    EXPECT_EQ(refused.FocusField, 31);
    EXPECT_EQ(messages_.last(), RuleMessages::TooLarge);
    EXPECT_EQ(focus(), nameField(31));
}

TEST_F(RuleValidation, OnlyTheChosenFramesAreLoadedWithTheirDirection)
{
    chooseNameRule(2);
    click(nameWindow().Option2.at<QRadioButton>(1));
    nameWindow().setText1(10, QStringLiteral("３"));
    nameWindow().setText1(11, "3");
    nameWindow().setText1(40, "7");  // a field of another rule
    chooseExtensionRule(2);
    extensionWindow().setText1(1, "doc");
    extensionWindow().setText1(2, " bak");
    EXPECT_EQ(pressCopy().Status, 0);
    const RuleSet& rules = main().Rules;
    EXPECT_EQ(rules.StartFromBack, 3);
    EXPECT_EQ(rules.StartFromFront, 0);
    EXPECT_EQ(rules.CharCount, 3);
    EXPECT_EQ(rules.NewExtension, " bak");
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(RuleValidation, NamesAreBuiltWithTheDirectionsTheWindowsShowNow)
{
    chooseNameRule(5);
    nameWindow().setText1(40, "2");
    nameWindow().setText1(41, "X");
    chooseExtensionRule(2);
    extensionWindow().setText1(2, "bak");
    main().LoadRuleSet();
    EXPECT_EQ(main().buildTargetName("abcdefg.txt"), "txtabXcdefg.bak");
    click(nameWindow().Option2.at<QRadioButton>(7));
    click(extensionWindow().Option3.at<QRadioButton>(1));
    main().LoadRuleSet();
    EXPECT_EQ(main().buildTargetName("abcdefg.txt"), "abcdefXgtxt.bak");
}

TEST_F(RuleValidation, ResettingUnloadsBothWindowsBackToTheirDesignValues)
{
    chooseNameRule(6);
    click(nameWindow().Option2.at<QRadioButton>(9));
    typeAndEnter(nameField(50), "4");
    chooseExtensionRule(2);
    click(extensionWindow().Option3.at<QRadioButton>(1));
    ui::typeText(extensionField(2), "mp3");
    main().ResetRules();
    ui::settle();
    EXPECT_TRUE(main().isOptionSelected(main().Option1, 0));
    EXPECT_TRUE(main().isOptionSelected(main().Option2, 0));
    EXPECT_EQ(main().Rules.NameRule + main().Rules.ExtRule, 0);
    EXPECT_FALSE(nameWindow().isVisible());
    EXPECT_TRUE(nameWindow().isOptionSelected(8));
    EXPECT_EQ(nameWindow().Remembered.LastStart, "");
    EXPECT_FALSE(extensionWindow().isVisible());
    EXPECT_TRUE(extensionWindow().isOptionSelected(0));
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}
