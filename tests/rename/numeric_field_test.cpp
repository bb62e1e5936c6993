#include "rename/numeric_field.h"

#include <gtest/gtest.h>

TEST(NumericFieldValue, ReadsTheLeadingDigitsAfterBlanksFullWidthByValue)
{
    EXPECT_EQ(numericFieldValue(""), 0);
    EXPECT_EQ(numericFieldValue("  42  "), 42);
    EXPECT_EQ(numericFieldValue(QStringLiteral("\u3000１２")), 12);
    EXPECT_EQ(numericFieldValue(QStringLiteral("3２7x9")), 327);
    EXPECT_EQ(numericFieldValue("abc12"), 0);
    EXPECT_EQ(numericFieldValue("-5"), 0);
}

TEST(NumericFieldValue, AnythingAboveTheLimitIsTooLargeWithoutOverflowing)
{
    EXPECT_FALSE(exceedsFieldLimit(numericFieldValue("000000000000032767")));
    EXPECT_TRUE(exceedsFieldLimit(numericFieldValue(QStringLiteral("３２７６８"))));
    EXPECT_TRUE(exceedsFieldLimit(numericFieldValue("99999999999999999999999")));
}
