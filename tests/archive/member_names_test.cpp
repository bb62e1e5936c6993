#include "archive/member_names.h"
#include "test_archives.h"

#include <gtest/gtest.h>

TEST(MemberNames, DecodesCp932WholeAndUtf8WhenMarked)
{
    // 表 and ソ end in 0x5C, the backslash; ア and イ in capital letters.
    ASSERT_EQ(TestArchives::cp932(QStringLiteral("表")), QByteArray("\x95\x5C"));
    for (const QString& name : {QStringLiteral("表示ソフト.txt"), QStringLiteral("アイウ.TXT"),
                                QStringLiteral("ﾃｽﾄ①～.doc")})
        EXPECT_EQ(MemberNames::decode(TestArchives::cp932(name), false), name);
    EXPECT_EQ(MemberNames::decode(QStringLiteral("写真.jpg").toUtf8(), true), QStringLiteral("写真.jpg"));
    EXPECT_EQ(MemberNames::decode(QByteArray("a\x81\xFF" "b\x82"), false), QStringLiteral("a\uFFFD\uFFFDb\uFFFD"));
}

TEST(MemberNames, KeepsFoldersAndRefusesWhatWouldLeaveTheFolder)
{
    EXPECT_EQ(MemberNames::safeParts("./a//b\\c.txt"), QStringList({"a", "b", "c.txt"}));
    EXPECT_EQ(MemberNames::safeParts("a..b/..c"), QStringList({"a..b", "..c"}));
    for (const QString& name : {QStringLiteral("/etc/passwd"), QStringLiteral("\\x.txt"), QStringLiteral("../x"),
                                QStringLiteral("a/../../x"), QStringLiteral("a\\..\\x"), QStringLiteral("C:/x"),
                                QStringLiteral("c:\\x"), QStringLiteral("a\u0000b"), QStringLiteral("./")})
        EXPECT_TRUE(MemberNames::safeParts(name).isEmpty()) << name.toStdString();
}
