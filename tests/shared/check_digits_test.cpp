#include "shared/check_digits.h"

#include <gtest/gtest.h>

using MarlowFuncUtility::CheckDigits;

TEST(CheckDigits, HalfAndFullWidthDigitsPassAnythingElseGivesNine)
{
    EXPECT_EQ(CheckDigits(""), 0);
    EXPECT_EQ(CheckDigits("0123456789"), 0);
    EXPECT_EQ(CheckDigits(QStringLiteral("１２０")), 0);
    EXPECT_EQ(CheckDigits(QStringLiteral("1２")), 0);
    for (const QString& text : {QStringLiteral("1a"), QStringLiteral("-1"), QStringLiteral("1 2"),
                                QStringLiteral("1.5"), QStringLiteral("/"), QStringLiteral(":"),
                                QStringLiteral("一"), QStringLiteral("１２ａ"), QStringLiteral("٣")})
        EXPECT_EQ(CheckDigits(text), 9) << qPrintable(text);
}
