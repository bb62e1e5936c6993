#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

namespace {
using ExtensionWindow = RuleWindowTest;
}  // namespace

TEST_F(ExtensionWindow, EachRuleShowsItsFrameEmptiedWithTheFocusInItsField)
{
    chooseExtensionRule(1);
    EXPECT_TRUE(extensionWindow().isVisible());
    EXPECT_TRUE(extensionWindow().Frame1.control(0)->isVisible());
    EXPECT_FALSE(extensionWindow().Frame1.control(1)->isVisible());
    EXPECT_EQ(focus(), extensionField(1));
    EXPECT_EQ(main().Label2->text(), QStringLiteral("新しい拡張子を指定してください。"));
    ui::typeText(extensionField(1), "doc");

    chooseExtensionRule(2);
    EXPECT_EQ(main().Rules.ExtRule, 2);
    EXPECT_EQ(extensionWindow().text1(1), "");
    EXPECT_FALSE(extensionWindow().Frame1.control(0)->isVisible());
    EXPECT_TRUE(extensionWindow().Frame1.control(1)->isVisible());
    EXPECT_EQ(focus(), extensionField(2));

    chooseExtensionRule(0);
    EXPECT_FALSE(extensionWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
}

TEST_F(ExtensionWindow, EnterGoesToTheCopyButtonAndLeavingRefusesAnythingButLetters)
{
    chooseExtensionRule(1);
    typeAndEnter(extensionField(1), "Jpeg");
    EXPECT_EQ(focus(), copyButton());
    ui::focusByUser(extensionField(1));
    typeAndEnter(extensionField(1), "3");
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::LettersOnlyExtension});
    EXPECT_EQ(focus(), extensionField(1));
    EXPECT_EQ(extensionWindow().text1(1), "Jpeg3");
}

TEST_F(ExtensionWindow, AFieldOfAWindowHiddenByCodeIsNotTested)
{
    chooseExtensionRule(1);
    ui::typeText(extensionField(1), "mp3");
    extensionWindow().hide();
    ui::focusByUser(copyButton());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(ExtensionWindow, TheCloseBoxBringsTheMainWindowBackToKeepingTheExtension)
{
    chooseExtensionRule(2);
    extensionWindow().close();
    ui::settle();
    EXPECT_FALSE(platform::FormInstance<frmMarlowB>::isLoaded());
    EXPECT_TRUE(main().isOptionSelected(main().Option2, 0));
    EXPECT_EQ(main().Rules.ExtRule, 0);
    EXPECT_EQ(focus(), copyButton());
}
