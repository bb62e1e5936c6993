#include "file_ops/folder_run.h"
#include "platform/name_rules.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

#include <optional>

using platform::LetterCase;

namespace {

// Where the destination folder "d" lies.
struct Medium {
    const char* name;
    bool ownFileSystem;
    TestMount::Kind kind;
    LetterCase letterCase;
};

// A run into "d", from "d" itself (in place) or from the folder "pc" of the
// tree, overwriting on; what d and pc hold after it, where d tells letter
// case apart and where it does not.
struct Scenario {
    const char* what;
    Files d, pc;
    Renames renames;
    bool fromPc, move;
    Files exactD, ignoredD;
    int exactRows, ignoredRows;  // of the preview
};

QByteArray data(const char* tag, int size)
{
    return QByteArray(size, tag[0]) + tag;
}

const QByteArray A = data("a", 3000), B = data("b", 5000), C = data("c", 70000);
const QByteArray X = data("x", 4000), Y = data("y", 9000), Old1 = data("old1", 100), Old2 = data("old2", 200);

const Files Abc{{"a.txt", A}, {"b.txt", B}, {"c.txt", C}}, AbcInCapitals{{"a.TXT", A}, {"b.TXT", B}, {"c.TXT", C}};
const Files Twins{{"IMG_0001.JPG", X}, {"img_0001.jpg", Y}};
const Renames ToCapitals{{"a.txt", "a.TXT"}, {"b.txt", "b.TXT"}, {"c.txt", "c.TXT"}};
const Renames TwinsKept{{"IMG_0001.JPG", "IMG_0001.JPG"}, {"img_0001.jpg", "img_0001.jpg"}};

const Scenario Scenarios[] = {
    {"extension in capitals, copied in place", Abc, {}, ToCapitals, false, false,
     {{"a.txt", A}, {"a.TXT", A}, {"b.txt", B}, {"b.TXT", B}, {"c.txt", C}, {"c.TXT", C}}, AbcInCapitals, 6, 3},
    {"extension in capitals, moved in place", Abc, {}, ToCapitals, false, true, AbcInCapitals, AbcInCapitals, 6, 3},
    {"letter case swapped between two files", {{"a", A}, {"b", B}}, {}, {{"a", "B"}, {"b", "A"}}, false, true,
     {{"A", B}, {"B", A}}, {{"A", B}, {"B", A}}, 4, 2},
    {"case twins copied onto themselves", Twins, {}, TwinsKept, false, false, Twins, {}, 2, 0},
    {"case twins moved onto the medium", {}, Twins, TwinsKept, true, true, Twins, {{"img_0001.jpg", Y}}, 2, 1},
    {"moved over files spelt in capitals", {{"IMG_0001.JPG", Old1}, {"IMG_0002.JPG", Old2}},
     {{"img_0001.jpg", X}, {"img_0002.jpg", Y}}, {{"img_0001.jpg", "img_0001.jpg"}, {"img_0002.jpg", "img_0002.jpg"}},
     true, true, {{"IMG_0001.JPG", Old1}, {"IMG_0002.JPG", Old2}, {"img_0001.jpg", X}, {"img_0002.jpg", Y}},
     {{"img_0001.jpg", X}, {"img_0002.jpg", Y}}, 4, 2},
};

class DestinationMedium : public ::testing::TestWithParam<Medium> {};

}  // namespace

// Every scenario ends as its preview showed, every byte checked: on a medium
// that tells letter case apart IMG_0001.JPG and img_0001.jpg are two files;
// on one that does not (exFAT sticks) a case-only rename works and the file
// just placed is never deleted as "another spelling".
TEST_P(DestinationMedium, LetterCaseIsTheFileSystemsAnswer)
{
    const Medium& medium = GetParam();
    for (const Scenario& s : Scenarios) {
        const bool ignored = medium.letterCase == LetterCase::Ignored;
        if (ignored && s.ignoredD.isEmpty())
            continue;  // no twins on such a medium
        SCOPED_TRACE(s.what);
        TempTree tree;
        tree.makeFolder("pc");
        std::optional<TestMount> mount;
        if (medium.ownFileSystem && !mount.emplace(tree, medium.kind, "d").mounted())
            GTEST_SKIP() << "no " << medium.name << " mount possible here";
        tree.makeFolder("d");
        ASSERT_EQ(platform::letterCaseOf(tree.path("d")), medium.letterCase);
        for (auto file = s.d.cbegin(); file != s.d.cend(); ++file)
            tree.writeFile("d/" + file.key(), file.value());
        for (auto file = s.pc.cbegin(); file != s.pc.cend(); ++file)
            tree.writeFile("pc/" + file.key(), file.value());
        FolderRun run(tree, s.renames, {}, s.move, true, s.fromPc ? "pc" : "d");
        EXPECT_EQ(run.runConfirmed(), QStringList());
        EXPECT_EQ(run.previewed.size(), ignored ? s.ignoredRows : s.exactRows);
        EXPECT_EQ(described(contents(tree, "d")), described(ignored ? s.ignoredD : s.exactD));
        EXPECT_EQ(described(contents(tree, "pc")), described(s.move && s.fromPc ? Files() : s.pc));
        EXPECT_TRUE(tree.names("TEMP").isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Media, DestinationMedium,
                         ::testing::Values(Medium{"TemporaryFolder", false, TestMount::Kind::Tmpfs, LetterCase::Exact},
                                           Medium{"Tmpfs", true, TestMount::Kind::Tmpfs, LetterCase::Exact},
                                           Medium{"ExfatStick", true, TestMount::Kind::Exfat, LetterCase::Ignored}),
                         [](const ::testing::TestParamInfo<Medium>& info) { return std::string(info.param.name); });
