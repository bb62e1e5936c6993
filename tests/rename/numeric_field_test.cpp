#include "rename/numeric_field.h"

#include <gtest/gtest.h>

TEST(NumericFieldValue, ReadsTheLeadingNumberAfterBlanks)
{
    EXPECT_EQ(numericFieldValue(""), 0);
    EXPECT_EQ(numericFieldValue("   "), 0);
    EXPECT_EQ(numericFieldValue("  42  "), 42);
    EXPECT_EQ(numericFieldValue(QStringLiteral("\u300012")), 12);
    EXPECT_EQ(numericFieldValue("12abc"), 12);
    EXPECT_EQ(numericFieldValue("abc12"), 0);
    EXPECT_EQ(numericFieldValue("007"), 7);
}

TEST(NumericFieldValue, FullWidthDigitsAreReadByTheirValue)
{
    EXPECT_EQ(numericFieldValue(QStringLiteral("１２")), 12);
    EXPECT_EQ(numericFieldValue(QStringLiteral("3２7")), 327);
}

TEST(NumericFieldValue, ASignIsNoPartOfTheNumber)
{
    EXPECT_EQ(numericFieldValue("-5"), 0);
    EXPECT_EQ(numericFieldValue("+5"), 0);
}

TEST(NumericFieldValue, ValuesAboveTheLimitAreSeenAsTooLargeWithoutOverflow)
{
    EXPECT_EQ(numericFieldValue("32767"), 32767);
    EXPECT_FALSE(exceedsFieldLimit(numericFieldValue("32767")));
    EXPECT_TRUE(exceedsFieldLimit(numericFieldValue("32768")));
    EXPECT_TRUE(exceedsFieldLimit(numericFieldValue(QStringLiteral("３２７６８"))));
    EXPECT_TRUE(exceedsFieldLimit(numericFieldValue("99999999999999999999999")));
    EXPECT_EQ(numericFieldValue("000000000000000000032767"), 32767);
}
