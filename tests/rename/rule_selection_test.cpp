#include "rename/rule_window_fixture.h"

using RuleSelection = RuleWindowTest;

TEST_F(RuleSelection, NamesAreBuiltFromTheChosenFieldsWithTheDirectionsTheWindowsShowNow)
{
    chooseNameRule(5);
    nameWindow().setText1(40, QStringLiteral("２"));
    nameWindow().setText1(41, "X");
    nameWindow().setText1(50, "7");  // a field of another rule
    chooseExtensionRule(2);
    extensionWindow().setText1(1, "doc");
    extensionWindow().setText1(2, "bak");
    mainWindow().setText1(3, " P_ ");
    mainWindow().LoadRuleSet();
    EXPECT_EQ(mainWindow().buildTargetName("abcdefg.txt"), "txtP_abXcdefg.bak");
    click(nameWindow().Option2.at<QRadioButton>(7));
    click(extensionWindow().Option3.at<QRadioButton>(1));
    mainWindow().LoadRuleSet();
    EXPECT_EQ(mainWindow().buildTargetName("abcdefg.txt"), "P_abcdefXgtxt.bak");
}

TEST_F(RuleSelection, ResettingUnloadsBothWindowsBackToTheirDesignValues)
{
    chooseNameRule(6);
    click(nameWindow().Option2.at<QRadioButton>(9));
    chooseExtensionRule(2);
    click(extensionWindow().Option3.at<QRadioButton>(1));
    mainWindow().ResetRules();
    ui::settle();
    EXPECT_TRUE(mainWindow().isOptionSelected(mainWindow().Option1, 0));
    EXPECT_TRUE(mainWindow().isOptionSelected(mainWindow().Option2, 0));
    EXPECT_TRUE(nameWindow().isOptionSelected(8));
    EXPECT_TRUE(extensionWindow().isOptionSelected(0));
}
