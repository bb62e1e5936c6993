#include "file_ops/folder_run.h"
#include "file_ops/placement_plan.h"
#include "platform/fault_injection.h"
#include "platform/fs_error.h"
#include "support/temp_tree.h"

#include <QFile>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// What the preview promised: every new name with its source's data, moved
// sources gone.
Files promised(Files before, const Files& melt, const Renames& sources, const Renames& extracted, bool move)
{
    const Files original = before;
    for (const auto& rename : sources)
        if (move)
            before.remove(rename.first);
    for (const auto& rename : sources)
        before.insert(rename.second, original.value(rename.first));
    for (const auto& rename : extracted)
        before.insert(rename.second, melt.value(rename.first));
    return before;
}

}  // namespace

// Renaming in place ends exactly as the preview showed, whatever order the
// new names meet the run's own sources in. Hard links of one file are two
// names, each handled as its own.
TEST(BatchCopyRun, RenamesInPlaceEndAsPreviewed)
{
    struct Case {
        const char* what;
        Renames sources, extracted;
        QStringList others;  // files of d the run does not select
        bool linked = false;  // the first two sources one file under two names
    };
    const Case cases[] = {
        {"chain", {{"p1", "p2"}, {"p2", "p3"}, {"p3", "p4"}, {"p4", "p5"}}, {}, {}},
        {"chain backwards", {{"p2", "p1"}, {"p3", "p2"}, {"p4", "p3"}}, {}, {"p1"}},
        {"cycle", {{"a", "b"}, {"b", "c"}, {"c", "a"}}, {}, {"x"}},
        {"swap", {{"a", "b"}, {"b", "a"}}, {}, {}},
        {"case only over a twin", {{"a.txt", "A.TXT"}}, {}, {"A.TXT"}},
        {"one new name in two spellings", {{"a", "x.txt"}, {"b", "X.TXT"}}, {}, {"c"}},
        {"two spellings over a file", {{"a", "X.TXT"}, {"b", "x.TXT"}}, {}, {"x.txt"}},
        {"chain through a hard link", {{"p1", "p2"}, {"p2", "p3"}, {"p3", "p4"}}, {}, {}, true},
        {"hard links swapped", {{"p1", "p2"}, {"p2", "p1"}}, {}, {"p3"}, true},
        {"swap with the extracted list", {{"a", "e"}}, {{"e", "a"}}, {}},
        {"extracted onto a later source", {{"x", "y"}}, {{"e", "x"}}, {"y"}},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 4; ++way) {
            const bool move = way % 2 == 1;
            // The source folder named by a link to it, as a folder list reached through one shows it.
            const QString sourceFolder = way < 2 ? "d" : "link";
            SCOPED_TRACE(::testing::Message() << c.what << (move ? ", move" : ", copy")
                                              << (way < 2 ? "" : ", source by way of a link"));
            TempTree tree;
            tree.makeFolder("d");
            ASSERT_TRUE(QFile::link(tree.path("d"), tree.path("link")));
            int size = 1000;
            for (const auto& rename : c.sources) {
                tree.writeFile("d/" + rename.first, QByteArray(size, char(size / 1000)) + rename.first.toUtf8());
                size += 1000;
            }
            if (c.linked) {
                const QString second = tree.path("d/" + c.sources[1].first);
                ASSERT_TRUE(QFile::remove(second));
                ASSERT_EQ(::link(QFile::encodeName(tree.path("d/" + c.sources[0].first)).constData(),
                                 QFile::encodeName(second).constData()), 0);
            }
            for (const QString& name : c.others)
                tree.writeFile("d/" + name, "other " + name.toUtf8());
            for (const auto& rename : c.extracted)
                tree.writeFile("melt/" + rename.first, "extracted " + rename.first.toUtf8());
            const Files melt = contents(tree, "melt");
            const Files expected = promised(contents(tree, "d"), melt, c.sources, c.extracted, move);
            FolderRun run(tree, c.sources, c.extracted, move, true, sourceFolder);
            EXPECT_EQ(run.runConfirmed(), QStringList());
            EXPECT_EQ(described(contents(tree, "d")), described(expected));
            EXPECT_EQ(described(contents(tree, "melt")), described(melt));
        }
    }
}

// A run that stops after setting a source aside gives it a visible name back,
// its own being taken, and says so.
TEST(BatchCopyRun, AStoppedRunGivesASetAsideSourceItsNameBack)
{
    TempTree tree;
    tree.writeFile("d/p1", "one");
    tree.writeFile("d/p2", "two");
    platform::injectFault(platform::FileOperation::Rename, 57, "p3");
    FolderRun run(tree, {{"p1", "p2"}, {"p2", "p3"}}, {}, true, true);
    const QStringList said = run.runConfirmed();
    platform::clearInjectedFaults();
    EXPECT_EQ(said,
              (QStringList{platform::errorMessageText(platform::makeError(57)) + QChar(13) + tree.path("d/p3"),
                           FileOps::keptUnderMessage(tree.path("d/p2"), tree.path("d/p2 (2)"))}));
    EXPECT_EQ(described(contents(tree, "d")), described({{"p2", "one"}, {"p2 (2)", "two"}}));
}
