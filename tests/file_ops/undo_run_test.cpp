#include "file_ops/delete_selected.h"
#include "file_ops/folder_run.h"
#include "file_ops/run_journal.h"
#include "file_ops/undo_offer.h"
#include "file_ops/undo_run.h"
#include "platform/file_system.h"
#include "shared/run_progress.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QDateTime>
#include <QFile>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

#include <algorithm>
#include <optional>

namespace {

// Asks to cancel at its second update, shown from the first step on.
struct CancellingView : RunProgressView {
    CancellingView() { RunProgress::setTimingForTests(0, 0); }
    ~CancellingView() override { RunProgress::setTimingForTests(500, 100); }
    void begin() override {}
    bool update(const RunProgressFigures&, bool) override { return ++updates >= 2; }
    void end() override {}
    int updates = 0;
};

class UndoRun : public ::testing::Test {
protected:
    // Runs the files of s to d, confirmed; gives back the run's journal.
    QString runToD(const Renames& files, bool move, bool overwrite)
    {
        tree.makeFolder("TEMP");
        tree.makeFolder("d");
        messages.answerYes();
        FolderRun run(tree, files, {}, move, overwrite, "s", "d");
        FileOps::runBatchCopy(run);
        return FileOps::newestUndoableRun(tree.path("journal")).journalPath;
    }

    TempTree tree;
    const ScopedDataHome dataHome{tree.path("data")};
    ScriptedMessages messages;
};

}  // namespace

// Cancel stops an undo before the next file, the files on their way going
// back whole; the rest stays to undo.
TEST_F(UndoRun, CancelStopsBeforeTheNextFile)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("s/") + name, name);
    const QString journal = runToD({{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c.txt", "c.txt"}}, true, false);
    ASSERT_EQ(tree.names("d"), (QStringList{"a.txt", "b.txt", "c.txt"}));

    CancellingView view;
    RunProgress progress(&view, 3);
    const FileOps::UndoOutcome outcome = FileOps::undoRun(journal, progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.undone, 1);
    EXPECT_EQ(tree.names("s") + tree.names("d"), (QStringList{"c.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(tree.readFile("s/c.txt"), "c.txt");
    EXPECT_EQ(FileOps::newestUndoableRun(tree.path("journal")).files, 2);
}

// A copy put in the trash by an undo that left its item stays there when the
// item is undone again: only the file it replaced comes back.
TEST_F(UndoRun, ACopyTrashedByAnUndoStaysInTheTrash)
{
    tree.writeFile("s/a.txt", "new");
    tree.writeFile("d/a.txt", "old");
    // Times as exact as the test can set them again.
    const QDateTime oldTime = QDateTime::currentDateTime().addSecs(-60);
    QFile old(tree.path("d/a.txt"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite) && old.setFileTime(oldTime, QFileDevice::FileModificationTime));
    old.close();
    const QString journal = runToD({{"a.txt", "a.txt"}}, false, true);
    const auto undo = [&journal] {
        RunProgress progress(nullptr, 1);
        return FileOps::undoRun(journal, progress);
    };

    // The old file in the trash changed: it is left, the copy goes.
    QFile trashed(tree.path("data/Trash/files/a.txt"));
    ASSERT_TRUE(trashed.open(QIODevice::Append) && trashed.write("!") == 1);
    trashed.close();
    EXPECT_EQ(undo().left, QStringList{"a.txt"});
    EXPECT_FALSE(tree.exists("d/a.txt"));
    ASSERT_TRUE(trashed.resize(3) && trashed.open(QIODevice::Append)
                && trashed.setFileTime(oldTime, QFileDevice::FileModificationTime));
    trashed.close();
    EXPECT_TRUE(undo().left.isEmpty());
    EXPECT_EQ(tree.readFile("d/a.txt"), "old");
}

// A renumbering whose old name the user gave another file since, or whose
// placed file the user changed since: the undo leaves what it cannot undo,
// and every file stays in sight, none hidden.
TEST(UndoRenumbering, AFileLeftBehindStaysInSight)
{
    const Renames cases[] = {
        {{"a", "b"}, {"c", "a"}},              // then a new file c
        {{"a", "b"}, {"c", "a"}, {"d", "c"}},  // then c changed
    };
    for (const Renames& renames : cases) {
        TempTree tree;
        for (const auto& rename : renames)
            tree.writeFile("d/" + rename.first, rename.first.toUtf8());
        ASSERT_EQ(FolderRun(tree, renames, {}, true, true, "d", "d").runConfirmed(), QStringList());
        tree.writeFile("d/c", "the user's");

        RunProgress progress(nullptr, 0);
        EXPECT_FALSE(FileOps::undoRun(FileOps::newestUndoableRun(tree.path("journal")).journalPath, progress).left.isEmpty());
        QByteArrayList found;
        for (const QString& name : tree.names("d"))
            found.append(name.startsWith('.') ? "hidden" : tree.readFile("d/" + name));
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, (QByteArrayList{"a", "c", "the user's"}));
    }
}

// A file changed while an undo copies it back across volumes stays where it
// is, as it is now.
TEST(UndoAcrossVolumes, AFileChangedWhileCopiedBackStays)
{
    TempTree tree;
    TestMount volume(tree, TestMount::Kind::Tmpfs, "m");
    if (!volume.mounted())
        GTEST_SKIP() << "no tmpfs mount possible here";
    const QByteArray big(6 * 1024 * 1024, 'b');
    tree.writeFile("s/big.bin", big);
    ASSERT_EQ(FolderRun(tree, {{"big.bin", "big.bin"}}, {}, true, false, "s", "m").runConfirmed(), QStringList());
    // Writes to the file once part of it is copied back.
    struct Changing : RunProgressView {
        explicit Changing(const QString& path) : file(path) {}
        void begin() override {}
        bool update(const RunProgressFigures& figures, bool) override
        {
            if (figures.bytesDone > 0 && !file.isOpen()) {
                EXPECT_TRUE(file.open(QIODevice::Append) && file.write("!") == 1 && file.flush());
            }
            return false;
        }
        void end() override {}
        QFile file;
    } view(tree.path("m/big.bin"));
    RunProgress::setTimingForTests(0, 0);
    RunProgress progress(&view, 1);
    EXPECT_EQ(FileOps::undoRun(FileOps::newestUndoableRun(tree.path("journal")).journalPath, progress).left,
              QStringList{"big.bin"});
    RunProgress::setTimingForTests(500, 100);
    EXPECT_EQ(tree.readFile("m/big.bin"), big + "!");
}

// An undo killed once its files were back, before its journal said so, or
// once a moved file was copied back, before it left the other volume, is
// finished by the next undo, which names no file as left.
TEST(UndoCutShort, IsFinishedByTheNextUndo)
{
    const struct { const char* what; bool move, copiedBackOnly; } cases[] = {
        {"copy on one disk", false, false}, {"move onto another volume", true, false},
        {"move copied back", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        std::optional<TestMount> volume;
        if (c.move && !volume.emplace(tree, TestMount::Kind::Tmpfs, "d").mounted())
            continue;  // no mount possible here
        tree.writeFile("s/a.txt", "new");
        tree.writeFile("d/a.txt", "old");
        ASSERT_EQ(FolderRun(tree, {{"a.txt", "a.txt"}}, {}, c.move, true, "s", "d").runConfirmed(), QStringList());
        const QString journal = FileOps::newestUndoableRun(tree.path("journal")).journalPath;
        RunProgress progress(nullptr, 1);
        if (c.copiedBackOnly) {
            ASSERT_FALSE(platform::copyFile(tree.path("d/a.txt"), tree.path("s/a.txt")).failed());
        } else {
            ASSERT_TRUE(FileOps::undoRun(journal, progress).left.isEmpty());
            QFile records(journal);
            ASSERT_TRUE(records.open(QIODevice::ReadWrite));
            const QByteArray cut = records.readAll().replace("undone 0\n", "");
            ASSERT_TRUE(records.resize(0) && records.write(cut) == cut.size());
        }

        EXPECT_TRUE(FileOps::undoRun(journal, progress).left.isEmpty());
        EXPECT_EQ(tree.readFile("s/a.txt") + tree.readFile("d/a.txt"), "newold");
        EXPECT_FALSE(FileOps::newestUndoableRun(tree.path("journal")).exists());
    }
}

// A file deleted from a stick, or moved onto it, that is out at the undo is
// left for a later undo, which brings it back once the stick is in again.
TEST(UndoStickOut, LeavesItsFilesForLater)
{
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "moved onto the stick" : "deleted on the stick");
        TempTree tree;
        const ScopedDataHome dataHome{tree.path("data")};
        tree.writeFile("disk/photos/a.txt", "data");
        tree.makeFolder("s");
        std::optional<TestMount> stick;
        if (!stick.emplace(tree, TestMount::Kind::View, "stick", "disk").mounted())
            GTEST_SKIP() << "no mount possible here";
        {
            FileOps::RunJournal journal(tree.path("journal"), move ? FileOps::RunKind::Move : FileOps::RunKind::Delete);
            const FileOps::PlannedFile planned = move ? FileOps::PlannedFile{1, "a.txt", 0, "a.txt"} : FileOps::PlannedFile{0, "a.txt", -1, QString()};
            ASSERT_FALSE(journal.plan({tree.path("stick/photos"), tree.path("s")}, {planned}).failed());
            FileOps::DeletionRun run{journal};
            run.item = 0;
            ASSERT_TRUE(move ? !journal.placed(0, FileOps::PlacedWay::Moved, platform::stampOf(tree.path("stick/photos/a.txt")), true).failed()
                             : FileOps::deleteListedFile(run, tree.path("stick/photos"), "a.txt") == 0);
            ASSERT_FALSE(journal.end().failed());
        }
        const QString journal = FileOps::newestUndoableRun(tree.path("journal")).journalPath;
        RunProgress progress(nullptr, 1);
        stick.reset();
        EXPECT_EQ(FileOps::undoRun(journal, progress).left, QStringList{"a.txt"});
        stick.emplace(tree, TestMount::Kind::View, "stick", "disk");
        EXPECT_TRUE(FileOps::undoRun(journal, progress).left.isEmpty());
        EXPECT_EQ(tree.readFile(move ? "s/a.txt" : "disk/photos/a.txt"), "data");
    }
}

// The message names the first five files left, and counts the rest.
TEST(UndoLeftMessage, NamesFiveThenCounts)
{
    EXPECT_EQ(FileOps::undoLeftMessage({"a", "b", "c", "d", "e"}), QStringLiteral("元に戻せなかったファイル: a, b, c, d, e"));
    EXPECT_EQ(FileOps::undoLeftMessage({"a", "b", "c", "d", "e", "f", "g"}),
              QStringLiteral("元に戻せなかったファイル: a, b, c, d, e, ほか 2 個"));
}

// The menu takes a finished run's offer from the run, not from its journal:
// both must say the same, and a journal changed since is read again.
TEST(UndoOffer, ARunOffersWhatItsJournalSays)
{
    TempTree tree;
    const QString folder = tree.path("journal");
    const platform::TrashEntry entry{tree.path("Trash"), QStringLiteral("old")};
    const platform::FileStamp stamp{1, 2, 3, 4, 5};
    {
        FileOps::RunJournal journal(folder, FileOps::RunKind::Move);
        // b is set aside, then never placed: nothing of it is left to undo.
        for (const platform::FsError& step :
             {journal.plan({tree.path("s"), tree.path("d")}, {{0, "a", 1, "a"}, {0, "b", 1, "b"}, {0, "c", 1, "c"}, {0, "d", 1, "d"}}),
              journal.replacing(0, tree.path("d/a"), entry, stamp), journal.placed(0, FileOps::PlacedWay::Renamed, stamp, true),
              journal.replacing(1, tree.path("d/b"), entry, stamp), journal.placed(2, FileOps::PlacedWay::Moved, stamp, true),
              journal.end()})
            ASSERT_FALSE(step.failed());
    }
    const FileOps::UndoOffer told = FileOps::newestUndoableRun(folder);
    ASSERT_TRUE(told.exists());
    const struct timespec later[2] = {{0, UTIME_OMIT}, {1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(told.journalPath).constData(), later, 0), 0);
    const FileOps::UndoOffer read = FileOps::newestUndoableRun(folder);
    for (const FileOps::UndoOffer& offer : {told, read})
        EXPECT_EQ(std::tuple(offer.journalPath, offer.kind, offer.files, offer.replaced, offer.folderName, offer.startedMs),
                  std::tuple(told.journalPath, FileOps::RunKind::Move, 2, 1, QStringLiteral("c"), told.startedMs));
}
