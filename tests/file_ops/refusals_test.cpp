#include "file_ops/folder_run.h"
#include "platform/fault_injection.h"
#include "platform/fs_error.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

const QStringList Names{"a.jpg", "b.jpg", "c.jpg"};

QByteArray original(const QString& name)
{
    return QByteArray(20000, name.at(0).toLatin1()) + name.toUtf8();
}

// What a case made that must go before its tree: an immutable file, then mounts.
struct Arrangement {
    std::optional<TestMount> destination, source;
    std::optional<ImmutableFile> immutable;
};

void writeSources(TempTree& tree, const QString& folder)
{
    for (const QString& name : Names)
        tree.writeFile(folder + '/' + name, original(name));
}

Renames namesKept()
{
    Renames renames;
    for (const QString& name : Names)
        renames.append({name, name});
    return renames;
}

}  // namespace

// A moved source that cannot be deleted for a reason the permission bits do
// not show, or that changed after it was copied, stays where it is; every
// source left in both places is named in the run's last message, and no
// byte of any file is lost.
TEST(RefusedSources, EverySourceThatStaysIsNamed)
{
    struct Case {
        const char* what;
        // Sets the sources up and gives back the folder the run reads, or an
        // empty text when this machine cannot make the case.
        std::function<QString(TempTree&, Arrangement&)> prepare;
        bool destinationOnItsOwnFileSystem;
        QString grown;  // a source still being written after its copy
    };
    const auto plainSources = [](TempTree& t, Arrangement&) {
        writeSources(t, "src");
        return QString("src");
    };
    const auto immutableSource = [](TempTree& t, Arrangement& s) {
        writeSources(t, "src");
        return s.immutable.emplace(t.path("src/b.jpg")).made() ? QString("src") : QString();
    };
    const Case cases[] = {
        {"read-only view of the source folder, one disk",
         [](TempTree& t, Arrangement& s) {
             writeSources(t, "src");
             return s.source.emplace(t, TestMount::Kind::ReadOnlyView, "view", "src").mounted() ? QString("view") : QString();
         },
         false, {}},
        {"source stick turned read-only",
         [](TempTree& t, Arrangement& s) {
             if (!s.source.emplace(t, TestMount::Kind::Tmpfs, "stick").mounted())
                 return QString();
             writeSources(t, "stick");
             return s.source->remountReadOnly() ? QString("stick") : QString();
         },
         false, {}},
        {"immutable source, one disk", immutableSource, false, {}},
        {"immutable source, to another file system", immutableSource, true, {}},
        {"deletion fails at the first of a group",
         [plainSources](TempTree& t, Arrangement& s) {
             platform::injectFault(platform::FileOperation::DeleteFile, 57, "src/a.jpg");
             return plainSources(t, s);
         },
         true, {}},
        {"a source still being written", plainSources, true, "b.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        Arrangement setup;
        tree.makeFolder("TEMP");
        if (c.destinationOnItsOwnFileSystem && !setup.destination.emplace(tree, TestMount::Kind::Tmpfs, "dst").mounted())
            GTEST_SKIP() << "no tmpfs mount possible here";
        tree.makeFolder("dst");
        const QString sourceFolder = c.prepare(tree, setup);
        if (sourceFolder.isEmpty()) {
            platform::clearInjectedFaults();
            std::printf("skipped here: %s\n", c.what);
            continue;
        }
        ScriptedMessages messages;
        messages.answerYes();
        QStringList copied;
        FolderRun run(tree, namesKept(), {}, true, false, sourceFolder, "dst");
        run.afterCopy = [&](const QString& name) {
            copied.append(name);
            if (name == c.grown)
                tree.writeFile(sourceFolder + '/' + name, original(name) + "more");
        };
        FileOps::runBatchCopy(run);
        platform::clearInjectedFaults();

        const QString said = messages.texts().mid(1).join('\n');
        EXPECT_FALSE(said.isEmpty());
        for (const QString& name : Names) {
            SCOPED_TRACE(name.toStdString());
            const QString source = sourceFolder + '/' + name;
            const QByteArray newest = name == c.grown ? original(name) + "more" : original(name);
            ASSERT_TRUE(tree.exists(source) || tree.exists("dst/" + name));
            if (tree.exists("dst/" + name)) {
                EXPECT_EQ(tree.readFile("dst/" + name), original(name));
            }
            if (tree.exists(source)) {
                EXPECT_EQ(tree.readFile(source), newest);
            } else {
                EXPECT_EQ(newest, original(name)) << "the newest data is gone";
            }
            if (copied.contains(name) && tree.exists(source)) {
                EXPECT_TRUE(said.contains(tree.path(source))) << said.toStdString();
            }
        }
    }
}

// A copy or placement refused with 70 or 75 names the file.
TEST(RefusedSources, APlacementFailureNamesTheFile)
{
    const QString denied = platform::errorMessageText(platform::makeError(70));
    const QString refused = platform::errorMessageText(platform::makeError(75));
    {
        SCOPED_TRACE("immutable file replaced");
        TempTree tree;
        tree.makeFolder("TEMP");
        tree.writeFile("src/a.jpg", "new");
        tree.writeFile("dst/a.jpg", "old");
        ImmutableFile immutable(tree.path("dst/a.jpg"));
        if (!immutable.made()) {
            std::printf("skipped here: no immutable files\n");
        } else {
            ScriptedMessages messages;
            messages.answerYes();
            FolderRun run(tree, {{"a.jpg", "a.jpg"}}, {}, false, true, "src", "dst");
            FileOps::runBatchCopy(run);
            EXPECT_EQ(messages.last(), denied + QChar(13) + tree.path("dst/a.jpg"));
            EXPECT_EQ(tree.readFile("dst/a.jpg"), "old");
        }
    }
    {
        SCOPED_TRACE("read-only file inside a chain");
        TempTree tree;
        tree.makeFolder("TEMP");
        tree.writeFile("d/p1", "one");
        tree.writeFile("d/p2", "two");
        tree.setReadOnly("d/p2");
        ScriptedMessages messages;
        messages.answerYes();
        FolderRun run(tree, {{"p1", "p2"}, {"p2", "p3"}}, {}, true, true);
        FileOps::runBatchCopy(run);
        EXPECT_EQ(messages.last(), refused + QChar(13) + tree.path("d/p2"));
        EXPECT_EQ(described(contents(tree, "d")), described({{"p1", "one"}, {"p2", "two"}}));
    }
    {
        SCOPED_TRACE("destination turned read-only during the run");
        TempTree tree;
        tree.makeFolder("TEMP");
        writeSources(tree, "src");
        TestMount stick(tree, TestMount::Kind::Tmpfs, "dst");
        if (!stick.mounted())
            GTEST_SKIP() << "no tmpfs mount possible here";
        ScriptedMessages messages;
        messages.answerYes();
        FolderRun run(tree, namesKept(), {}, false, false, "src", "dst");
        run.afterCopy = [&stick](const QString&) { stick.remountReadOnly(); };
        FileOps::runBatchCopy(run);
        EXPECT_EQ(messages.last(), refused + QChar(13) + tree.path("src/b.jpg"));
        EXPECT_EQ(described(contents(tree, "dst")), described({{"a.jpg", original("a.jpg")}}));
    }
}
