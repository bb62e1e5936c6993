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

TEST(MemberNames, AnUnmarkedNameIsUtf8OnlyWhenItsBytesAreStrictlyUtf8WithAMultiByteSequence)
{
    const struct {
        QByteArray raw;
        QString name;
    } cases[] = {
        {QStringLiteral("写真/旅行.jpg").toUtf8(), QStringLiteral("写真/旅行.jpg")},
        {QStringLiteral("café😀").toUtf8(), QStringLiteral("café😀")},
        {TestArchives::cp932(QStringLiteral("表示ソフト.txt")), QStringLiteral("表示ソフト.txt")},
        {"plain\\ascii~.txt", QStringLiteral("plain\\ascii~.txt")},
        {"\xED\xA0\x80", QStringLiteral("\u605D\uFFFD")},  // a surrogate in UTF-8: CP932
        {"\xC0\xAF", QStringLiteral("\uFF80\uFF6F")},       // an overlong "/" in UTF-8: CP932
        {"a\xFF\xFE", QStringLiteral("a\uFFFD\uFFFD")},
    };
    for (const auto& row : cases)
        EXPECT_EQ(MemberNames::decodeUnmarked(row.raw), row.name) << row.raw.toHex().constData();
}

TEST(MemberNames, PlacesMembersBelowTheFolderAndRefusesWhatWouldLeaveIt)
{
    using Problem = MemberNames::Place::Problem;
    const struct {
        QString name;
        QStringList parts;
        Problem problem;
    } cases[] = {
        {"./a//b\\c.txt", {"a", "b", "c.txt"}, Problem::None},
        {"a..b/..c", {"a..b", "..c"}, Problem::None},
        {"/etc/passwd", {"etc", "passwd"}, Problem::None},
        {"\\\\server\\x.txt", {"server", "x.txt"}, Problem::None},
        {"./", {}, Problem::None},
        {"../x", {}, Problem::LeavesFolder},
        {"/a/../../x", {}, Problem::LeavesFolder},
        {"a\\..\\x", {}, Problem::LeavesFolder},
        {"C:/x", {}, Problem::LeavesFolder},
        {"c:\\x", {}, Problem::LeavesFolder},
        {QStringLiteral("a\u0000b"), {}, Problem::Unusable},
    };
    for (const auto& row : cases) {
        const MemberNames::Place place = MemberNames::placeOf(row.name);
        EXPECT_EQ(place.parts, row.parts) << row.name.toStdString();
        EXPECT_EQ(place.problem, row.problem) << row.name.toStdString();
    }
}
