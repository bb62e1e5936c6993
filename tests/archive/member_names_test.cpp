#include "archive/member_names.h"
#include "test_archives.h"

#include <gtest/gtest.h>

TEST(MemberNames, Cp932NamesWhoseSecondBytesAreBackslashesOrCapitalsComeOutWhole)
{
    // 表 and ソ end in 0x5C, ア and イ in capital letters.
    for (const QString& name : {QStringLiteral("表示ソフト.txt"), QStringLiteral("アイウ.TXT"),
                                QStringLiteral("ﾃｽﾄ①～.doc"), QStringLiteral("plain.txt")}) {
        const QByteArray raw = TestArchives::cp932(name);
        EXPECT_EQ(MemberNames::decode(raw, false), name);
    }
    EXPECT_EQ(TestArchives::cp932(QStringLiteral("表")), QByteArray("\x95\x5C"));
}

TEST(MemberNames, Utf8WhenMarkedAndBadBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(MemberNames::decode(QStringLiteral("写真.jpg").toUtf8(), true), QStringLiteral("写真.jpg"));
    EXPECT_EQ(MemberNames::decode(QByteArray("a\x81\xFF" "b"), false), QStringLiteral("a\uFFFD\uFFFDb"));
    EXPECT_EQ(MemberNames::decode(QByteArray("end\x82"), false), QStringLiteral("end\uFFFD"));
}

TEST(MemberNames, KeepsFoldersAndRefusesWhatWouldLeaveTheFolder)
{
    EXPECT_EQ(MemberNames::safeParts("a/b\\c.txt"), QStringList({"a", "b", "c.txt"}));
    EXPECT_EQ(MemberNames::safeParts("./a//b/"), QStringList({"a", "b"}));
    EXPECT_EQ(MemberNames::safeParts("a..b/..c"), QStringList({"a..b", "..c"}));
    for (const QString& name : {QStringLiteral("/etc/passwd"), QStringLiteral("\\x.txt"), QStringLiteral("../x"),
                                QStringLiteral("a/../../x"), QStringLiteral("a\\..\\x"), QStringLiteral("C:/x"),
                                QStringLiteral("c:\\x"), QStringLiteral("a\u0000b"), QStringLiteral(""),
                                QStringLiteral("./")}) {
        EXPECT_TRUE(MemberNames::safeParts(name).isEmpty()) << name.toStdString();
    }
}
