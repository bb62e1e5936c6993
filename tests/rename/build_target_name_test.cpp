#include "rename/rule_set.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

RuleSet nameRule(int rule, int front, int back, int count, const QString& text = {})
{
    RuleSet rules;
    rules.NameRule = rule;
    rules.StartFromFront = front;
    rules.StartFromBack = back;
    rules.CharCount = count;
    rules.RuleText = text;
    return rules;
}

// Rule 5 inserts "X", rule 6 a number.
RuleSet insertRule(bool fromFront, int position, int rule = 5)
{
    RuleSet rules = nameRule(rule, fromFront ? position : 0, fromFront ? 0 : position, 0, "X");
    rules.FromFront = fromFront;
    return rules;
}

RuleSet extensionRule(int rule, const QString& extension, const QString& prefix = {}, const QString& suffix = {},
                      bool extBeforeName = true)
{
    RuleSet rules;
    rules.ExtRule = rule;
    rules.NewExtension = extension;
    rules.Prefix = prefix;
    rules.Suffix = suffix;
    rules.ExtBeforeName = extBeforeName;
    return rules;
}

}  // namespace

TEST(BuildTargetName, EachRuleBuildsItsName)
{
    const struct { RuleSet rules; QString name, expected; } cases[] = {
        // extension from the first dot: keep, replace, move into the name before or after it
        {RuleSet{}, "a.b.txt", "a.b.txt"}, {extensionRule(1, "doc"), "report.final.txt", "report.doc"},
        {extensionRule(1, ""), "photo.jpg", "photo"}, {extensionRule(2, ""), "a.tar.gz", "tar.gza"},
        {extensionRule(2, "bak"), "READ", "READ.bak"}, {extensionRule(2, "bak", "P_", "_S"), "n.txt", "txtP_n_S.bak"},
        {extensionRule(2, "bak", "P_", "_S", false), "n.txt", "P_n_Stxt.bak"},
        {extensionRule(0, "", "a", "z"), ".profile", "az.profile"}, {nameRule(1, 0, 0, 0, "new"), "one.txt", "new.txt"},
        // delete, then replace by text: a run of characters from the front or back
        {nameRule(2, 3, 0, 2), "abcdefg.txt", "abefg.txt"}, {nameRule(2, 0, 3, 0), "abcdefg", "abcdefg"},
        {nameRule(2, 0, 7, 7), "abcdefg", ""}, {nameRule(3, 0, 3, 2, "X"), "abcdefg", "abcdXg"},
        {nameRule(3, 8, 0, 1, "X"), "abcdefg", "abcdefgX"}, {nameRule(3, 0, 8, 1, "X"), "abcdefg", "Xabcdefg"},
        {nameRule(3, 3, 0, 0, "X"), "abcdefg", "abXcdefg"}, {nameRule(3, 6, 0, 9, "X"), "abcdefg", "abcdeX"},
        {nameRule(3, 3, 0, 2, "X"), "abcdefg.txt", "abXefg.txt"},
        // insert text
        {insertRule(true, 0), "abcdefg", "Xabcdefg"}, {insertRule(true, 2), "abcdefg", "abXcdefg"},
        {insertRule(true, 7), "abcdefg", "abcdefgX"}, {insertRule(true, 9), "abcdefg", "abcdefgX"},
        {insertRule(false, 0), "abcdefg", "abcdefgX"}, {insertRule(false, 1), "abcdefg", "abcdefgX"},
        {insertRule(false, 2), "abcdefg", "abcdefXg"}, {insertRule(false, 7), "abcdefg", "aXbcdefg"},
        {insertRule(false, 8), "abcdefg", "Xabcdefg"}, {insertRule(true, 3), ".profile", "X.profile"},
        // positions count characters, not bytes
        {nameRule(2, 2, 0, 1), QStringLiteral("写真の名前.jpg"), QStringLiteral("写の名前.jpg")},
        {insertRule(false, 1), QStringLiteral("日本語"), QStringLiteral("日本語X")},
    };
    for (const auto& c : cases) {
        RuleSet rules = c.rules;
        EXPECT_EQ(BuildTargetName(rules, c.name), c.expected) << c.name.toStdString();
        EXPECT_EQ(rules.SerialNumber, c.rules.SerialNumber);  // only number rules advance it
        EXPECT_EQ(rules.RuleText, c.rules.RuleText);
    }
}

// Each row builds its names one after the other from one rule set.
TEST(SerialNumbers, NumberRulesWrapToTheWidthAndAdvanceEvenOutsideTheName)
{
    const struct { RuleSet rules; int digits, first; QStringList names, expected; int next; } cases[] = {
        {nameRule(4, 1, 0, 3), 3, 998, {"IMG_a.jpg", "IMG_b.jpg", "IMG_c.jpg", "IMG_d.jpg"},
         {"998_a.jpg", "999_b.jpg", "000_c.jpg", "001_d.jpg"}, 1002},
        {nameRule(4, 9, 0, 2), 2, 1, {"ab.txt", "abcdefghij.txt"}, {"ab01.txt", "abcdefgh02.txt"}, 3},
        {insertRule(false, 0, 6), 5, 32767, {"scan.png", "scan.png"}, {"scan32767.png", "scan32768.png"}, 32769},
    };
    for (const auto& c : cases) {
        RuleSet rules = c.rules;
        rules.SerialDigits = c.digits;
        rules.SerialNumber = c.first;
        QStringList built;
        for (const QString& name : c.names)
            built << BuildTargetName(rules, name);
        EXPECT_EQ(built, c.expected);
        EXPECT_EQ(rules.SerialNumber, c.next);
    }
}
