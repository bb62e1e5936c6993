#include "archive/member_names.h"
#include "test_archives.h"

#include <gtest/gtest.h>

// CP932 as Japanese Windows writes it, unless the bytes are strictly UTF-8
// with a multi-byte sequence: 表 and ソ end in 0x5C, the backslash; ア and イ
// in capital letters; ① and ～ are Windows' own.
TEST(MemberNames, AnUnmarkedNameIsUtf8OnlyWhenItsBytesAreStrictlyUtf8WithAMultiByteSequence)
{
    ASSERT_EQ(TestArchives::cp932(QStringLiteral("表")), QByteArray("\x95\x5C"));
    for (const QString& name : {QStringLiteral("写真/旅行.jpg"), QStringLiteral("café😀")})
        EXPECT_EQ(MemberNames::decodeUnmarked(name.toUtf8()), name);
    for (const QString& name : {QStringLiteral("表示ソフト.txt"), QStringLiteral("アイウ.TXT"), QStringLiteral("ﾃｽﾄ①～.doc"),
                                QStringLiteral("plain\\ascii~.txt")})
        EXPECT_EQ(MemberNames::decodeUnmarked(TestArchives::cp932(name)), name);
    const struct {
        QByteArray raw;
        QString name;
    } cases[] = {
        {"\xED\xA0\x80", QStringLiteral("\u605D\uFFFD")},  // a surrogate in UTF-8: CP932
        {"\xC0\xAF", QStringLiteral("\uFF80\uFF6F")},       // an overlong "/" in UTF-8: CP932
        {"a\xFF\xFE", QStringLiteral("a\uFFFD\uFFFD")},
    };
    for (const auto& row : cases)
        EXPECT_EQ(MemberNames::decodeUnmarked(row.raw), row.name) << row.raw.toHex().constData();
}

// Names that climb out, absolute ones and drive letters are also tried through
// the extraction itself.
TEST(MemberNames, PlacesMembersBelowTheFolderAndRefusesWhatWouldLeaveIt)
{
    using Problem = MemberNames::Place::Problem;
    const struct { QString name; QStringList parts; Problem problem; } cases[] = {
        {"./a//b\\c.txt", {"a", "b", "c.txt"}, Problem::None}, {"a..b/..c", {"a..b", "..c"}, Problem::None},
        {"\\\\server\\x.txt", {"server", "x.txt"}, Problem::None}, {"./", {}, Problem::None},
        {"a\\..\\x", {}, Problem::LeavesFolder}, {"c:\\x", {}, Problem::LeavesFolder},
        {QStringLiteral("a\u0000b"), {}, Problem::Unusable},
    };
    for (const auto& row : cases) {
        const MemberNames::Place place = MemberNames::placeOf(row.name);
        EXPECT_EQ(place.parts, row.parts) << row.name.toStdString();
        EXPECT_EQ(place.problem, row.problem) << row.name.toStdString();
    }
}
