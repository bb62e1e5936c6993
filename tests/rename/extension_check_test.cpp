#include "rename/extension_check.h"

#include <gtest/gtest.h>

TEST(LettersOnlyExtension, OnlyAsciiLettersOrNothingPassOnceTrimmed)
{
    for (const char* text : {"txt", "TXT", "Jpeg", "", "   ", " doc "})
        EXPECT_TRUE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
    for (const char* text : {"mp3", "tar.gz", ".", "t xt", "[", "`", "ｔｘｔ", "été"})
        EXPECT_FALSE(isLettersOnlyExtension(QString::fromUtf8(text))) << text;
}
