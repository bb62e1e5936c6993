#include "file_ops/folder_run.h"
#include "platform/fault_injection.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

#include <optional>

using platform::FileOperation;

namespace {

const QStringList Names{"a.jpg", "b.jpg", "c.jpg"};

QByteArray original(const QString& name)
{
    return QByteArray(20000, name.at(0).toLatin1()) + name.toUtf8();
}

const Renames NamesKept{{"a.jpg", "a.jpg"}, {"b.jpg", "b.jpg"}, {"c.jpg", "c.jpg"}};

enum class Sources { Plain, ReadOnlyView, OneImmutable };

}  // namespace

// A moved source that cannot be deleted for a reason the permission bits do
// not show, that changed after it was copied, or whose copy may not be on
// disk stays where it is; every source left in both places, or whose copy
// failed, is named in the run's last message, and no byte of any file is lost.
TEST(RefusedSources, EverySourceThatStaysIsNamed)
{
    const struct {
        const char* what;
        Sources sources;
        bool destinationOnItsOwnFileSystem;
        FileOperation fault;  // fails once where faultPath is given
        const char* faultPath;
        QString grown;  // a source still being written after its copy
        bool destinationTurnsReadOnly = false;  // after the first copy
    } cases[] = {
        {"read-only view of the source folder, one disk", Sources::ReadOnlyView, false, FileOperation::List, nullptr, {}},
        {"immutable source, one disk", Sources::OneImmutable, false, FileOperation::List, nullptr, {}},
        {"immutable source, to another file system", Sources::OneImmutable, true, FileOperation::List, nullptr, {}},
        {"deletion fails at the first of a group", Sources::Plain, true, FileOperation::DeleteFile, "src/a.jpg", {}},
        {"the copies cannot be flushed", Sources::Plain, true, FileOperation::Flush, "/dst", {}},
        {"the journal cannot be flushed", Sources::Plain, true, FileOperation::Flush, ".journal", {}},
        {"a source still being written", Sources::Plain, true, FileOperation::List, nullptr, "b.jpg"},
        {"destination turned read-only during the run", Sources::Plain, true, FileOperation::List, nullptr, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        // Gone before the tree: an immutable file, then mounts.
        std::optional<TestMount> destination, view;
        std::optional<ImmutableFile> immutable;
        if (c.destinationOnItsOwnFileSystem && !destination.emplace(tree, TestMount::Kind::Tmpfs, "dst").mounted())
            GTEST_SKIP() << "no tmpfs mount possible here";
        tree.makeFolder("dst");
        for (const QString& name : Names)
            tree.writeFile("src/" + name, original(name));
        const QString sourceFolder = c.sources == Sources::ReadOnlyView ? "view" : "src";
        if ((c.sources == Sources::ReadOnlyView && !view.emplace(tree, TestMount::Kind::ReadOnlyView, "view", "src").mounted())
            || (c.sources == Sources::OneImmutable && !immutable.emplace(tree.path("src/b.jpg")).made()))
            continue;  // no such mount or file here
        if (c.faultPath)
            platform::injectFault(c.fault, 57, c.faultPath);
        QStringList copied;
        FolderRun run(tree, NamesKept, {}, true, false, sourceFolder, "dst");
        run.afterCopy = [&](const QString& name) {
            copied.append(name);
            if (name == c.grown)
                tree.writeFile(sourceFolder + '/' + name, original(name) + "more");
            if (c.destinationTurnsReadOnly)
                destination->remountReadOnly();
        };
        const QString said = run.runConfirmed().join('\n');
        platform::clearInjectedFaults();
        EXPECT_FALSE(said.isEmpty());
        for (const QString& name : Names) {
            SCOPED_TRACE(name.toStdString());
            const QString source = sourceFolder + '/' + name;
            const QByteArray newest = name == c.grown ? original(name) + "more" : original(name);
            ASSERT_TRUE(tree.exists(source) || tree.exists("dst/" + name));
            EXPECT_EQ(tree.exists("dst/" + name) ? tree.readFile("dst/" + name) : original(name), original(name));
            EXPECT_EQ(tree.exists(source) ? tree.readFile(source) : original(name), newest) << "the newest data is gone";
            EXPECT_TRUE(!copied.contains(name) || !tree.exists(source) || said.contains(tree.path(source))) << said.toStdString();
        }
    }
}
