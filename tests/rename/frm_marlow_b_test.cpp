#include "platform/vb_look.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_fixture.h"

namespace {

using ExtensionWindow = RuleWindowTest;

}  // namespace

TEST_F(ExtensionWindow, EachRuleShowsItsFrameWithTheFocusInItsField)
{
    EXPECT_FALSE(extensionWindow().isVisible());
    EXPECT_EQ(extensionWindow().windowTitle(), QStringLiteral("拡張子操作窓"));
    EXPECT_TRUE(extensionWindow().isOptionSelected(0));

    chooseExtensionRule(1);
    EXPECT_EQ(main().Rules.ExtRule, 1);
    EXPECT_TRUE(extensionWindow().isVisible());
    EXPECT_TRUE(extensionWindow().Frame1.control(0)->isVisible());
    EXPECT_FALSE(extensionWindow().Frame1.control(1)->isVisible());
    EXPECT_EQ(focus(), extensionField(1));
    EXPECT_EQ(platform::backColor(extensionField(1)), 0xC0E0FFu);
    EXPECT_EQ(statusLine(), QStringLiteral("新しい拡張子を指定してください。"));

    chooseExtensionRule(2);
    EXPECT_FALSE(extensionWindow().Frame1.control(0)->isVisible());
    EXPECT_TRUE(extensionWindow().Frame1.control(1)->isVisible());
    EXPECT_EQ(focus(), extensionField(2));
    EXPECT_EQ(platform::backColor(extensionField(1)), 0xC0C000u);

    chooseExtensionRule(0);
    EXPECT_FALSE(extensionWindow().isVisible());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(ExtensionWindow, ANewRuleChoiceEmptiesBothFields)
{
    chooseExtensionRule(1);
    ui::typeText(extensionField(1), "doc");
    extensionWindow().setText1(2, "bak");
    chooseExtensionRule(2);
    EXPECT_EQ(extensionWindow().text1(1), "");
    EXPECT_EQ(extensionWindow().text1(2), "");
}

TEST_F(ExtensionWindow, OnlyLettersMayLeaveTheField)
{
    chooseExtensionRule(2);
    for (const QString& refused : {QStringLiteral("mp3"), QStringLiteral("tar.gz"), QStringLiteral("."),
                                   QStringLiteral("ｔｘｔ")}) {
        extensionWindow().setText1(2, refused);
        ui::focusByUser(copyButton());
        EXPECT_EQ(messages_.last(), RuleMessages::LettersOnlyExtension) << qPrintable(refused);
        EXPECT_EQ(focus(), extensionField(2)) << qPrintable(refused);
        EXPECT_EQ(extensionWindow().text1(2), refused);
    }
    EXPECT_EQ(messages_.count(), 4);
    for (const QString& accepted : {QStringLiteral("Jpeg"), QStringLiteral("  "), QString()}) {
        extensionWindow().setText1(2, accepted);
        ui::focusByUser(copyButton());
        EXPECT_EQ(focus(), copyButton()) << qPrintable(accepted);
        ui::focusByUser(extensionField(2));
    }
    EXPECT_EQ(messages_.count(), 4);
}

TEST_F(ExtensionWindow, EnterGoesToTheCopyButtonWhereLeavingTheFieldTestsIt)
{
    chooseExtensionRule(1);
    ui::typeText(extensionField(1), "txt");
    pressEnter(extensionField(1));
    EXPECT_EQ(focus(), copyButton());
    ui::focusByUser(extensionField(1));
    ui::typeText(extensionField(1), "2");
    pressEnter(extensionField(1));
    EXPECT_EQ(messages_.texts(), QStringList{RuleMessages::LettersOnlyExtension});
    EXPECT_EQ(focus(), extensionField(1));
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

TEST_F(ExtensionWindow, AFieldOfAWindowHiddenByCodeIsNotTestedWhenTheFocusMovesOn)
{
    chooseExtensionRule(1);
    ui::typeText(extensionField(1), "mp3");
    extensionWindow().hide();
    ui::focusByUser(copyButton());
    EXPECT_EQ(focus(), copyButton());
    EXPECT_TRUE(messages_.texts().isEmpty());
}
