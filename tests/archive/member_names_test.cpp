#include "archive/member_names.h"
#include "test_archives.h"

#include <gtest/gtest.h>

// CP932 as Japanese Windows writes it, ① and ～ its own; UTF-8 and undecodable
// names are met in the extracted archives.
TEST(MemberNames, AnUnmarkedNameThatIsNotUtf8ReadsAsWindowsCp932)
{
    const QString name = QStringLiteral("ﾃｽﾄ①～.doc");
    EXPECT_EQ(MemberNames::decodeUnmarked(TestArchives::cp932(name)), name);
}

// Names that climb out, absolute ones and drive letters are also tried through
// the extraction itself.
TEST(MemberNames, PlacesMembersBelowTheFolderAndRefusesWhatWouldLeaveIt)
{
    using Problem = MemberNames::Place::Problem;
    const struct { QString name; QStringList parts; Problem problem; } cases[] = {
        {"./a//b\\c.txt", {"a", "b", "c.txt"}, Problem::None}, {"a..b/..c", {"a..b", "..c"}, Problem::None},
        {"\\\\server\\x.txt", {"server", "x.txt"}, Problem::None}, {"./", {}, Problem::None},
        {"a\\..\\x", {}, Problem::LeavesFolder}, {QStringLiteral("a\u0000b"), {}, Problem::Unusable},
    };
    for (const auto& row : cases) {
        const MemberNames::Place place = MemberNames::placeOf(row.name);
        EXPECT_EQ(place.parts, row.parts) << row.name.toStdString();
        EXPECT_EQ(place.problem, row.problem) << row.name.toStdString();
    }
}
