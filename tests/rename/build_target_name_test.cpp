#include "rename/rule_set.h"

#include <gtest/gtest.h>

namespace {

QString build(RuleSet rules, const QString& name)
{
    return BuildTargetName(rules, name);
}

RuleSet nameRule(int rule, int front, int back, int count, const QString& text = QString())
{
    RuleSet rules;
    rules.NameRule = rule;
    rules.StartFromFront = front;
    rules.StartFromBack = back;
    rules.CharCount = count;
    rules.RuleText = text;
    return rules;
}

RuleSet insertRule(bool fromFront, int position)
{
    RuleSet rules = nameRule(5, fromFront ? position : 0, fromFront ? 0 : position, 0, "X");
    rules.FromFront = fromFront;
    return rules;
}

}  // namespace

TEST(SplitAtFirstDot, SplitsAtTheFirstDotOnly)
{
    EXPECT_EQ(splitAtFirstDot("report.final.txt").BaseName, "report");
    EXPECT_EQ(splitAtFirstDot("report.final.txt").OldExtension, ".final.txt");
    EXPECT_EQ(splitAtFirstDot(".profile").BaseName, "");
    EXPECT_EQ(splitAtFirstDot(".profile").OldExtension, ".profile");
    EXPECT_EQ(splitAtFirstDot("README").OldExtension, "");
}

TEST(ExtensionRules, KeepReplaceAndMoveIntoTheName)
{
    RuleSet replace;
    replace.ExtRule = 1;
    replace.NewExtension = "doc";
    EXPECT_EQ(build(replace, "report.final.txt"), "report.doc");
    EXPECT_EQ(build(RuleSet{}, "report.final.txt"), "report.final.txt");
    EXPECT_EQ(build(RuleSet{}, "README"), "README");
    replace.NewExtension.clear();
    EXPECT_EQ(build(replace, "photo.jpg"), "photo");

    RuleSet into;
    into.ExtRule = 2;
    into.NewExtension = "bak";
    EXPECT_EQ(build(into, "README"), "README.bak");
    into.Prefix = "P_";
    into.Suffix = "_S";
    EXPECT_EQ(build(into, "name.txt"), "txtP_name_S.bak");
    into.ExtBeforeName = false;
    EXPECT_EQ(build(into, "name.txt"), "P_name_Stxt.bak");
    into.NewExtension.clear();
    EXPECT_EQ(build(into, "name.txt"), "P_name_Stxt");
    into.ExtBeforeName = true;
    EXPECT_EQ(build(into, "name.txt"), "txtP_name_S");
    into.Prefix.clear();
    into.Suffix.clear();
    EXPECT_EQ(build(into, "a.tar.gz"), "tar.gza");
}

TEST(NameRules, KeepAndSameNameWithPrefixAndSuffix)
{
    RuleSet keep;
    keep.Prefix = "a";
    EXPECT_EQ(build(keep, ".profile"), "a.profile");
    RuleSet same = nameRule(1, 0, 0, 0, "new");
    EXPECT_EQ(build(same, "one.txt"), "new.txt");
    EXPECT_EQ(build(same, "two.jpg"), "new.jpg");
    same.Prefix = "[";
    same.Suffix = "]";
    EXPECT_EQ(build(same, "x.txt"), "[new].txt");
}

TEST(NameRules, DeleteFromTheFrontAndBack)
{
    EXPECT_EQ(build(nameRule(2, 3, 0, 2), "abcdefg.txt"), "abefg.txt");
    EXPECT_EQ(build(nameRule(2, 6, 0, 5), "abcdefg"), "abcde");
    EXPECT_EQ(build(nameRule(2, 8, 0, 1), "abcdefg"), "abcdefg");
    EXPECT_EQ(build(nameRule(2, 0, 3, 2), "abcdefg"), "abcdg");
    EXPECT_EQ(build(nameRule(2, 0, 3, 0), "abcdefg"), "abcdefg");
    EXPECT_EQ(build(nameRule(2, 0, 8, 2), "abcdefg"), "abcdefg");
    EXPECT_EQ(build(nameRule(2, 0, 7, 7), "abcdefg"), "");
}

TEST(NameRules, ReplaceByText)
{
    EXPECT_EQ(build(nameRule(3, 8, 0, 1, "X"), "abcdefg"), "abcdefgX");
    EXPECT_EQ(build(nameRule(3, 0, 8, 1, "X"), "abcdefg"), "Xabcdefg");
    EXPECT_EQ(build(nameRule(3, 3, 0, 0, "X"), "abcdefg"), "abXcdefg");
    EXPECT_EQ(build(nameRule(3, 6, 0, 9, "X"), "abcdefg"), "abcdeX");
    EXPECT_EQ(build(nameRule(3, 3, 0, 2, "X"), "abcdefg.txt"), "abXefg.txt");
    EXPECT_EQ(build(nameRule(3, 0, 3, 2, "X"), "abcdefg"), "abcdXg");
}

TEST(NameRules, InsertTextFromTheFrontAndBack)
{
    EXPECT_EQ(build(insertRule(true, 0), "abcdefg"), "Xabcdefg");
    EXPECT_EQ(build(insertRule(true, 2), "abcdefg"), "abXcdefg");
    EXPECT_EQ(build(insertRule(true, 7), "abcdefg"), "abcdefgX");
    EXPECT_EQ(build(insertRule(true, 9), "abcdefg"), "abcdefgX");
    EXPECT_EQ(build(insertRule(false, 0), "abcdefg"), "abcdefgX");
    EXPECT_EQ(build(insertRule(false, 1), "abcdefg"), "abcdefgX");
    EXPECT_EQ(build(insertRule(false, 2), "abcdefg"), "abcdefXg");
    EXPECT_EQ(build(insertRule(false, 7), "abcdefg"), "aXbcdefg");
    EXPECT_EQ(build(insertRule(false, 8), "abcdefg"), "Xabcdefg");
    EXPECT_EQ(build(insertRule(true, 3), ".profile"), "X.profile");
}

TEST(NameRules, PositionsCountCharactersNotBytes)
{
    EXPECT_EQ(build(nameRule(2, 2, 0, 1), "写真の名前.jpg"), "写の名前.jpg");
    EXPECT_EQ(build(insertRule(false, 1), "日本語"), "日本語X");
}

TEST(SerialNumbers, ReplaceByNumberWrapsToTheWidthAndAdvances)
{
    RuleSet rules = nameRule(4, 1, 0, 3);
    rules.SerialDigits = 3;
    rules.SerialNumber = 998;
    EXPECT_EQ(BuildTargetName(rules, "IMG_a.jpg"), "998_a.jpg");
    EXPECT_EQ(BuildTargetName(rules, "IMG_b.jpg"), "999_b.jpg");
    EXPECT_EQ(BuildTargetName(rules, "IMG_c.jpg"), "000_c.jpg");
    EXPECT_EQ(BuildTargetName(rules, "IMG_d.jpg"), "001_d.jpg");
    EXPECT_EQ(rules.SerialNumber, 1002);

    RuleSet two = nameRule(4, 1, 0, 0);
    two.SerialDigits = 2;
    two.SerialNumber = 5;
    EXPECT_EQ(BuildTargetName(two, "x"), "05x");
}

TEST(SerialNumbers, ANumberIsUsedEvenWhenThePositionLiesOutsideTheName)
{
    RuleSet rules = nameRule(4, 9, 0, 2);
    rules.SerialDigits = 2;
    rules.SerialNumber = 1;
    EXPECT_EQ(BuildTargetName(rules, "ab.txt"), "ab01.txt");
    EXPECT_EQ(BuildTargetName(rules, "abcdefghij.txt"), "abcdefgh02.txt");
    EXPECT_EQ(rules.SerialNumber, 3);
}

TEST(SerialNumbers, InsertNumberAndTheCounterPassing32767)
{
    RuleSet rules;
    rules.NameRule = 6;
    rules.FromFront = false;
    rules.SerialDigits = 5;
    rules.SerialNumber = 32767;
    EXPECT_EQ(BuildTargetName(rules, "scan.png"), "scan32767.png");
    EXPECT_EQ(BuildTargetName(rules, "scan.png"), "scan32768.png");
}

TEST(SerialNumbers, OtherRulesLeaveTheCounterAlone)
{
    RuleSet rules = nameRule(3, 1, 0, 1, "Z");
    rules.SerialNumber = 7;
    BuildTargetName(rules, "abc");
    EXPECT_EQ(rules.SerialNumber, 7);
    EXPECT_EQ(rules.RuleText, "Z");
}
