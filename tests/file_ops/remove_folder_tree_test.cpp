#include "file_ops/remove_folder_tree.h"
#include "file_ops/trash_folder_tree.h"
#include "file_ops/undo_offer.h"
#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "shared/run_progress.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using MarlowFuncUtility::RemoveFolderTree;
using MarlowFuncUtility::mountedVolumeMessage;
using platform::EntryScope;

namespace {

class RemoveFolderTreeTest : public ::testing::Test {
protected:
    void TearDown() override { platform::clearInjectedFaults(); }

    ScriptedMessages messages;
    TempTree tree;
};

void writeFiles(TempTree& tree, const QStringList& files, const QString& under = QString())
{
    for (const QString& file : files)
        tree.writeFile(under + file);
}

// Deeper than any path the system accepts: only a walk by folder handles gets there.
bool makeDeepTree(TempTree& tree, const QString& top)
{
    const QByteArray name(30, 'n');
    int fd = ::open(QFile::encodeName(tree.makeFolder(top)).constData(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < 200 && fd >= 0; ++level) {
        const int inner = ::mkdirat(fd, name.constData(), 0755) == 0 ? ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY) : -1;
        ::close(fd);
        fd = inner;
        if (fd >= 0)
            ::close(::openat(fd, "f.txt", O_WRONLY | O_CREAT, 0644));
    }
    return fd >= 0 && ::close(fd) == 0;
}

// The progress window as a removal sees it: every step reaches it, and what it
// does there stands for the user or for another program.
struct ActingView : RunProgressView {
    using Act = std::function<bool(const RunProgressFigures&)>;
    explicit ActingView(Act acting) : act(std::move(acting)) { RunProgress::setTimingForTests(0, 0); }
    ~ActingView() override { RunProgress::setTimingForTests(500, 100); }
    void begin() override {}
    bool update(const RunProgressFigures& figures, bool) override { return act(figures); }
    void end() override {}
    Act act;
};

}  // namespace

// Links go as entries, never followed: what they point to stays.
TEST_F(RemoveFolderTreeTest, RemovesTheWholeTreeSilently)
{
    const struct { const char* name; QString folder; EntryScope scope; std::function<bool()> setUp; } cases[] = {
        {"missing", "never-there", EntryScope::OrdinaryOnly, [] { return true; }},
        {"work folder", "W", EntryScope::All, [&] {
             writeFiles(tree, {"W/.hidden-folder/inside.txt", "W/.hidden-file"});
             return ::mkfifo(QFile::encodeName(tree.path("W/pipe")).constData(), 0600) == 0;
         }},
        {"links inside", "L", EntryScope::OrdinaryOnly, [&] {
             writeFiles(tree, {"outside/keep.txt", "outside/sub/keep-too.txt", "L/file.txt", "L/A/B/c.txt"});
             tree.makeFolder("L/empty");
             return QFile::link(tree.path("outside"), tree.path("L/A/to-folder"))
                    && QFile::link(tree.path("outside/keep.txt"), tree.path("L/to-file"));
         }},
        {"link given", "link/", EntryScope::OrdinaryOnly, [&] {
             tree.writeFile("target/keep.txt");
             return QFile::link(tree.path("target"), tree.path("link"));
         }},
        {"deeper than the path limit", "deep", EntryScope::OrdinaryOnly, [&] { return makeDeepTree(tree, "deep"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.setUp());
        EXPECT_EQ(RemoveFolderTree(tree.path(c.folder), c.scope), 0);
        EXPECT_FALSE(tree.exists(c.folder));
    }
    EXPECT_EQ(tree.readFile("outside/keep.txt") + tree.readFile("outside/sub/keep-too.txt") + tree.readFile("target/keep.txt"),
              "xxx");
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Hidden entries are never seen, so their folder stays; a folder that vanished
// before its removal is excused, but its parent then still holds it. Where no
// mount can be made, the seam stands in for one deep in the tree.
TEST_F(RemoveFolderTreeTest, AFailureStopsTheRunWithOneMessage)
{
    using platform::FileOperation;
    const struct {
        QStringList files;
        QString readOnly;
        FileOperation operation;
        QString faultAt;         // where the fault is injected; empty: none
        int injected, reported;  // reported: the error the message names; 0: a mount there
        QString named;
        QStringList kept, gone;
    } cases[] = {
        {{"T/top.txt", "T/A/B/locked.txt", "T/A/B/other.txt"}, "T/A/B/locked.txt", FileOperation::List, {}, 0, 75,
         "T/A/B/locked.txt", {"T/A/B/locked.txt", "T/top.txt"}, {}},
        {{"T/visible.txt", "T/.hidden-folder/inside.txt", "T/.hidden-file"}, {}, FileOperation::List, {}, 0, 75, "T",
         {"T/.hidden-folder/inside.txt", "T/.hidden-file"}, {"T/visible.txt"}},
        {{"T/A/a.txt", "T/t.txt"}, {}, FileOperation::RemoveFolder, "T/A", 57, 57, "T/A", {"T/A", "T/t.txt"}, {"T/A/a.txt"}},
        {{"T/A/a.txt"}, {}, FileOperation::RemoveFolder, "T/A", 76, 75, "T", {"T/A"}, {}},
        {{"T/t.txt", "T/A/a.txt"}, {}, FileOperation::ReadEntries, "T/A", 57, 57, "T/A", {"T/t.txt", "T/A/a.txt"}, {}},
        {{"T/a.txt", "T/A/B/c.txt"}, {}, FileOperation::MountPoint, "T/A/B", 1, 0, "T/A/B", {"T/a.txt", "T/A/B/c.txt"}, {}},
    };
    int row = 0;
    for (const auto& c : cases) {
        const QString at = QStringLiteral("row%1/").arg(row++);
        SCOPED_TRACE(at.toStdString());
        messages.clear();
        writeFiles(tree, c.files, at);
        if (!c.readOnly.isEmpty())
            tree.setReadOnly(at + c.readOnly);
        if (!c.faultAt.isEmpty())
            platform::injectFault(c.operation, c.injected, "/" + at + c.faultAt);
        EXPECT_EQ(RemoveFolderTree(tree.path(at + "T")), 9);
        const QString named = tree.path(at + c.named);
        EXPECT_EQ(messages.texts(), QStringList{c.reported ? platform::errorMessageText(platform::makeError(c.reported, named))
                                                           : mountedVolumeMessage(named)});
        for (const QString& file : c.kept + c.gone)
            EXPECT_EQ(tree.exists(at + file), c.kept.contains(file)) << file.toStdString();
    }
}

// Files are counted before the first goes; Cancel stops after the file being
// deleted, even in the middle of a folder.
TEST_F(RemoveFolderTreeTest, CancelStopsAfterTheFileBeingDeleted)
{
    writeFiles(tree, {"T/A/B/c.txt", "T/A/B/d.txt", "T/A/b.txt", "T/x.txt", "T/.hidden"});
    ActingView view([](const RunProgressFigures& figures) { return figures.filesDone > 0; });
    RunProgress progress(&view, 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("T"), EntryScope::OrdinaryOnly, &progress), 9);
    EXPECT_EQ(progress.cancelledText(), QStringLiteral("中止しました。（1 / 4 ファイル）"));
    EXPECT_EQ(tree.names("T") + tree.names("T/A"), (QStringList{".hidden", "A", "x.txt", "B", "b.txt"}));
    EXPECT_EQ(tree.names("T/A/B").size(), 1);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Another program moves T/A to E/A while the removal is inside T/A/B: what
// was in A goes, as asked, but nothing of E, and T stays.
TEST_F(RemoveFolderTreeTest, AFolderMovedOutOfTheTreeStopsTheRemovalWithNothingOutsideDeleted)
{
    writeFiles(tree, {"T/a.txt", "T/A/b.txt", "T/A/B/c.txt", "E/keep.txt"});
    tree.writeFile("E/a.txt", "E's own");
    bool moved = false;
    ActingView view([&](const RunProgressFigures& figures) {
        if (!moved && figures.currentName == tree.path("T/A/B/c.txt"))
            moved = ::rename(QFile::encodeName(tree.path("T/A")).constData(),
                             QFile::encodeName(tree.path("E/A")).constData()) == 0;
        return false;
    });
    RunProgress progress(&view, 0);
    EXPECT_EQ(RemoveFolderTree(tree.path("T"), EntryScope::OrdinaryOnly, &progress), 9);
    ASSERT_TRUE(moved);
    EXPECT_EQ(messages.texts(), QStringList{MarlowFuncUtility::movedFolderMessage(tree.path("T/A"))});
    EXPECT_EQ(tree.readFile("E/a.txt"), "E's own");
    EXPECT_EQ(tree.names("E"), (QStringList{"A", "a.txt", "keep.txt"}));
    EXPECT_EQ(tree.names("T"), QStringList{"a.txt"});
}

// A volume mounted on the folder itself or anywhere inside it, even on a
// single file, refuses the removal before anything goes, on the user's
// folders and the work folders alike; every byte on both sides stays.
TEST_F(RemoveFolderTreeTest, AMountOnOrInsideTheTreeRefusesTheRemovalBeforeAnythingGoes)
{
    const struct { const char* name; QString at; TestMount::Kind kind; QString viewOf; } mounts[] = {
        {"tmpfs inside", "T/A/M", TestMount::Kind::Tmpfs, ""},
        {"folder bound inside", "T/A/M", TestMount::Kind::View, "elsewhere"},
        {"file bound inside", "T/A/b.txt", TestMount::Kind::View, "elsewhere/keep.txt"},
        {"share on the folder", "T", TestMount::Kind::Share, ""},
        {"tmpfs on the folder", "T", TestMount::Kind::Tmpfs, ""},
        {"folder bound on the folder", "T", TestMount::Kind::View, "elsewhere"},
    };
    for (const EntryScope scope : {EntryScope::OrdinaryOnly, EntryScope::All}) {
        for (const auto& mount : mounts) {
            SCOPED_TRACE(std::string(mount.name) + (scope == EntryScope::All ? ", all" : ""));
            messages.clear();
            writeFiles(tree, {"elsewhere/keep.txt", "elsewhere/sub/deep.txt", "T/a.txt", "T/A/b.txt"});
            const TestMount mounted(tree, mount.kind, mount.at, mount.viewOf);
            if (!mounted.mounted())
                GTEST_SKIP() << "mounting needs privileges this run lacks";
            const bool ownVolume = mount.viewOf.isEmpty();
            if (ownVolume)
                tree.writeFile(mount.at + "/on-the-volume.txt", "volume");
            const QStringList before = tree.names("T");

            EXPECT_EQ(RemoveFolderTree(tree.path("T"), scope), 9);
            EXPECT_EQ(messages.texts(), QStringList{mountedVolumeMessage(tree.path(mount.at))});
            EXPECT_EQ(tree.names("T"), before);
            EXPECT_EQ(tree.readFile("elsewhere/keep.txt") + tree.readFile("elsewhere/sub/deep.txt"), "xx");
            EXPECT_TRUE(ownVolume ? tree.readFile(mount.at + "/on-the-volume.txt") == "volume"
                                  : mount.at == "T" || (tree.readFile("T/a.txt") == "x" && tree.exists("T/A/b.txt")));
        }
    }
}

// A folder tree goes to the trash whole, by one rename, and its journal holds
// what undoing needs; a tree that holds a mounted volume stays, refused as
// its removal would be; a link goes as itself, what it leads to staying.
TEST(TrashFolderTree, MovesTheWholeTreeOrNothing)
{
    const struct { const char* what; const char* folder; bool mountInside, trashed; } cases[] = {
        {"a tree", "tree", false, true},
        {"a tree holding a volume", "tree", true, false},
        {"a link to a tree", "link", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        const ScopedDataHome dataHome(tree.path("data"));
        tree.writeFile("tree/a/b/deep.txt", "deep");
        ASSERT_TRUE(QFile::link(tree.path("tree"), tree.path("link")));
        std::optional<TestMount> volume;
        if (c.mountInside && !volume.emplace(tree, TestMount::Kind::Tmpfs, "tree/a/stick").mounted())
            continue;  // no mount possible here
        ScriptedMessages messages;
        FileOps::RunJournal journal(tree.path("journal"), FileOps::RunKind::FolderDeletion);
        EXPECT_EQ(FileOps::trashFolderTree(tree.path(c.folder), journal), c.trashed ? 0 : 9);
        EXPECT_FALSE(journal.end().failed());
        EXPECT_EQ(messages.texts(), c.trashed ? QStringList() : QStringList{mountedVolumeMessage(tree.path("tree/a/stick"))});
        EXPECT_EQ(tree.exists(c.folder), !c.trashed);
        EXPECT_EQ(tree.exists("tree/a/b/deep.txt"), !c.trashed || QString(c.folder) == "link");
        QMap<QByteArray, QByteArray> expected;
        if (c.trashed)
            expected.insert(c.folder, platform::encodeFileName(tree.path(c.folder)));
        EXPECT_EQ(readTrash(platform::encodeFileName(tree.path("data/Trash"))), expected);
        EXPECT_EQ(FileOps::newestUndoableRun(tree.path("journal")).exists(), c.trashed);
    }
}
