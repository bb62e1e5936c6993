#include "rename/extension_check.h"

#include <gtest/gtest.h>

TEST(LettersOnlyExtension, AsciiLettersInEitherCaseAndBlankFieldsPass)
{
    for (const char* text : {"txt", "TXT", "Jpeg", "", "   ", " doc "})
        EXPECT_TRUE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
}

TEST(LettersOnlyExtension, DigitsDotsInnerBlanksAndNonAsciiLettersAreRefused)
{
    for (const char* text : {"mp3", "tar.gz", ".", "t xt", "txt_", "[", "`", "ｔｘｔ", "été", "ファイル"})
        EXPECT_FALSE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
}
