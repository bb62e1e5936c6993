#include "shared/check_digits.h"

#include <gtest/gtest.h>

using MarlowFuncUtility::CheckDigits;

TEST(CheckDigits, HalfAndFullWidthDigitsPassAnythingElseGivesNine)
{
    for (const QString& digits : {QString(), QStringLiteral("0123456789"), QStringLiteral("１２０"), QStringLiteral("1２")})
        EXPECT_EQ(CheckDigits(digits), 0) << qPrintable(digits);
    for (const QString& text : {QStringLiteral("1a"), QStringLiteral("-1"), QStringLiteral("1 2"), QStringLiteral("/"),
                                QStringLiteral(":"), QStringLiteral("一"), QStringLiteral("١")})
        EXPECT_EQ(CheckDigits(text), 9) << qPrintable(text);
}
