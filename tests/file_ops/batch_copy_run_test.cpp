#include "file_ops/folder_run.h"
#include "file_ops/placement_plan.h"
#include "file_ops/undo_offer.h"
#include "file_ops/undo_run.h"
#include "platform/fault_injection.h"
#include "platform/fs_error.h"
#include "platform/name_rules.h"
#include "shared/run_progress.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QFile>

#include <gtest/gtest.h>

#include <optional>

#include <unistd.h>

using platform::LetterCase;

namespace {

// Where the destination folder "d" lies.
struct Medium {
    const char* name;
    bool ownFileSystem;
    TestMount::Kind kind;
    LetterCase letterCase;
};

// A run into d of sources from d itself (in place) or from the folder pc,
// then of extracted files; overwriting on. Every file holds data of its own.
struct Scenario {
    const char* what;
    Renames sources;
    QStringList others;  // files of d the run does not select
    Renames extracted;
    bool fromPc = false;
    bool linked = false;  // the first two sources one file under two names
};

const Scenario Scenarios[] = {
    {"cycle", {{"a", "b"}, {"b", "c"}, {"c", "a"}}, {"x"}, {}},
    {"extension in capitals", {{"a.txt", "a.TXT"}, {"b.txt", "b.TXT"}, {"c.txt", "c.TXT"}}, {}, {}},
    {"letter case swapped between two files", {{"a", "B"}, {"b", "A"}}, {}, {}},
    {"case only over a twin", {{"a.txt", "A.TXT"}}, {"A.TXT"}, {}},
    {"case twins onto the medium", {{"IMG_0001.JPG", "IMG_0001.JPG"}, {"img_0001.jpg", "img_0001.jpg"}}, {}, {}, true},
    {"over files spelt in capitals", {{"img_0001.jpg", "img_0001.jpg"}, {"img_0002.jpg", "img_0002.jpg"}},
     {"IMG_0001.JPG", "IMG_0002.JPG"}, {}, true},
    {"one new name for all", {{"a", "x"}, {"b", "x"}, {"c", "x"}}, {"x"}, {}},
    {"one new name in two spellings", {{"a", "x.txt"}, {"b", "X.TXT"}}, {"c"}, {}},
    {"two spellings over a file", {{"a", "X.TXT"}, {"b", "x.TXT"}}, {"x.txt"}, {}},
    {"chain through a hard link", {{"p1", "p2"}, {"p2", "p3"}, {"p3", "p4"}}, {}, {}, false, true},
    {"swap with the extracted list", {{"a", "e"}}, {}, {{"e", "a"}}},
    {"extracted onto a later source", {{"x", "y"}}, {"y"}, {{"e", "x"}}},
};

// What the preview promises: every new name with its source's data, another
// spelling of it gone where the folder does not tell them apart, moved
// sources of d gone.
Files promised(Files d, const Files& sources, const Files& melt, const Scenario& s, bool move, LetterCase letterCase)
{
    if (move && !s.fromPc)
        for (const auto& rename : s.sources)
            d.remove(rename.first);
    const auto place = [&d, letterCase](const QString& newName, const QByteArray& data) {
        for (const QString& name : d.keys())
            if (letterCase == LetterCase::Ignored ? name.toCaseFolded() == newName.toCaseFolded() : name == newName)
                d.remove(name);
        d.insert(newName, data);
    };
    for (const auto& rename : s.sources)
        place(rename.second, sources.value(rename.first));
    for (const auto& rename : s.extracted)
        place(rename.second, melt.value(rename.first));
    return d;
}

class DestinationMedium : public ::testing::TestWithParam<Medium> {};

}  // namespace

// Every run ends as its preview showed, and its undo as things were before,
// every byte and name checked, whatever order the new names meet the run's
// own sources in. On a medium that tells letter case apart IMG_0001.JPG and
// img_0001.jpg are two files; on one that does not (exFAT sticks) a
// case-only rename works and the file just placed is never deleted as
// "another spelling". Hard links of one file are two names, each handled as
// its own.
TEST_P(DestinationMedium, RunsEndAsPreviewed)
{
    const Medium& medium = GetParam();
    for (const Scenario& s : Scenarios) {
        for (int way = 0; way < 4; ++way) {
            const bool move = way % 2 == 1;
            // The source folder named by a link to it, as a folder list reached through one shows it.
            const bool byLink = way >= 2;
            if (byLink && (s.fromPc || medium.ownFileSystem))
                continue;
            SCOPED_TRACE(::testing::Message() << s.what << (move ? ", move" : ", copy") << (byLink ? ", by a link" : ""));
            TempTree tree;
            tree.makeFolder("pc");
            std::optional<TestMount> mount;
            if (medium.ownFileSystem && !mount.emplace(tree, medium.kind, "d").mounted())
                GTEST_SKIP() << "no " << medium.name << " mount possible here";
            tree.makeFolder("d");
            ASSERT_EQ(platform::letterCaseOf(tree.path("d")), medium.letterCase);
            ASSERT_TRUE(QFile::link(tree.path("d"), tree.path("link")));
            const QString from = s.fromPc ? "pc" : "d";
            for (int i = 0; i < s.sources.size(); ++i)
                tree.writeFile(from + '/' + s.sources[i].first, QByteArray(1000 * (i + 1), char('0' + i)) + s.sources[i].first.toUtf8());
            for (const QString& name : s.others)
                tree.writeFile("d/" + name, "other " + name.toUtf8());
            for (const auto& rename : s.extracted)
                tree.writeFile("melt/" + rename.first, "extracted " + rename.first.toUtf8());
            if (contents(tree, "d").size() < (s.fromPc ? 0 : s.sources.size()) + s.others.size())
                continue;  // twins on a medium that cannot hold them
            if (s.linked) {
                if (medium.letterCase == LetterCase::Ignored)
                    continue;  // no hard links on exFAT
                const QString second = tree.path("d/" + s.sources[1].first);
                ASSERT_TRUE(QFile::remove(second));
                ASSERT_EQ(::link(QFile::encodeName(tree.path("d/" + s.sources[0].first)).constData(),
                                 QFile::encodeName(second).constData()), 0);
            }
            const Files d = contents(tree, "d"), pc = contents(tree, "pc"), melt = contents(tree, "melt");
            const Files& sources = s.fromPc ? pc : d;
            FolderRun run(tree, s.sources, s.extracted, move, true, byLink ? "link" : from);
            EXPECT_EQ(run.runConfirmed(), QStringList());
            EXPECT_EQ(run.previewed.size(), promised(d, sources, melt, s, false, medium.letterCase).size());
            EXPECT_EQ(described(contents(tree, "d")), described(promised(d, sources, melt, s, move, medium.letterCase)));
            EXPECT_EQ(described(contents(tree, "pc")), described(s.fromPc && move ? Files() : pc));
            EXPECT_EQ(described(contents(tree, "melt")), described(melt));
            EXPECT_TRUE(tree.names("TEMP").isEmpty());
            if (s.linked)
                continue;  // a second name the run let go of stays gone
            RunProgress progress(nullptr, 0);
            EXPECT_EQ(FileOps::undoRun(FileOps::newestUndoableRun(tree.path("journal")).journalPath, progress).left,
                      QStringList());
            EXPECT_EQ(described(contents(tree, "d")), described(d));
            EXPECT_EQ(described(contents(tree, "pc")), described(pc));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Media, DestinationMedium,
                         ::testing::Values(Medium{"TemporaryFolder", false, TestMount::Kind::Tmpfs, LetterCase::Exact},
                                           Medium{"Tmpfs", true, TestMount::Kind::Tmpfs, LetterCase::Exact},
                                           Medium{"ExfatStick", true, TestMount::Kind::Exfat, LetterCase::Ignored}),
                         [](const ::testing::TestParamInfo<Medium>& info) { return std::string(info.param.name); });

// A chain stopped within loses nothing and says why: a read-only file is
// named; a source set aside gets a visible name back, its own being taken.
TEST(BatchCopyRun, AChainStoppedWithinLosesNothing)
{
    const auto failure = [](int number, const QString& path) { return platform::errorMessageText(platform::makeError(number, path)); };
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "p2 read-only" : "p3 cannot be placed");
        TempTree tree;
        tree.writeFile("d/p1", "one");
        tree.writeFile("d/p2", "two");
        if (readOnly)
            tree.setReadOnly("d/p2");
        else
            platform::injectFault(platform::FileOperation::Rename, 57, "p3");
        FolderRun run(tree, {{"p1", "p2"}, {"p2", "p3"}}, {}, true, true);
        const QStringList said = run.runConfirmed();
        platform::clearInjectedFaults();
        const QString p2 = tree.path("d/p2");
        EXPECT_EQ(said, readOnly ? QStringList{failure(75, p2)}
                                 : (QStringList{failure(57, tree.path("d/p3")), FileOps::keptUnderMessage(p2, p2 + " (2)")}));
        EXPECT_EQ(described(contents(tree, "d")),
                  described(readOnly ? Files{{"p1", "one"}, {"p2", "two"}} : (Files{{"p2", "one"}, {"p2 (2)", "two"}})));
    }
}
