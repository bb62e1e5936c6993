#include "file_ops/journal_reader.h"
#include "file_ops/run_recovery.h"
#include "file_ops/undo_run.h"
#include "shared/run_progress.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The next start has settled every journal the killed run left.
void expectSettled(const TempTree& tree)
{
    const FileOps::Recovery recovery = FileOps::settleInterruptedRuns(tree.path("journal"));
    EXPECT_FALSE(recovery.firstError.failed()) << recovery.firstError.number;
    for (const QString& path : FileOps::journalPaths(tree.path("journal"))) {
        FileOps::JournalRun run;
        EXPECT_TRUE(FileOps::readJournalRun(path, run) && run.finished) << path.toStdString();
    }
}

}  // namespace

// A batch move killed at any moment leaves every file whole at its source or
// at its destination, and nothing else in the destination.
TEST(BatchMoveKilled, LeavesEveryFileWholeAtItsSourceOrDestination)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    int interrupted = 0;
    for (int round = 0; round < 5; ++round) {
        TempTree tree;
        tree.makeFolder("dst");
        tree.makeFolder("TEMP");
        QHash<QString, QByteArray> contents;
        for (int i = 0; i < 240; ++i) {
            const int size = i % 20 == 0 ? 1024 * 1024 + random.bounded(4096) : random.bounded(1, 48 * 1024);
            const QString name = QString::asprintf("f%03d.bin", i);
            tree.writeFile("src/" + name, contents[name] = QByteArray(size, char(i)));
        }
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/velda_batch_move_child",
                    {tree.path("src"), tree.path("dst"), tree.path("TEMP"), tree.path("journal")});
        ASSERT_TRUE(child.waitForStarted());
        const int killAfter = random.bounded(1, 200);
        for (int started = 0; started < killAfter && child.waitForReadyRead(10000);)
            started += child.readAll().count('\n');
        // A move within one file system is a rename: the rest of the run takes milliseconds.
        QThread::usleep(random.bounded(500));
        child.kill();
        child.waitForFinished();
        interrupted += child.exitStatus() == QProcess::CrashExit;
        expectSettled(tree);

        for (auto file = contents.cbegin(); file != contents.cend(); ++file) {
            const QString source = "src/" + file.key(), destination = "dst/moved_" + file.key();
            EXPECT_TRUE(tree.exists(source) || tree.exists(destination)) << file.key().toStdString() << " lost";
            for (const QString& copy : {source, destination})
                EXPECT_TRUE(!tree.exists(copy) || tree.readFile(copy) == file.value()) << copy.toStdString() << " not whole";
        }
        for (const QString& name : tree.names("dst"))
            EXPECT_TRUE(name.startsWith("moved_") && contents.contains(name.mid(6))) << name.toStdString();
    }
    EXPECT_GT(interrupted, 0) << "no kill landed while the run was busy";
}

// Renumbering in place, or its undo, killed at any moment, leaves every
// file's data whole exactly once, in a visible file, once the next start has
// settled the journal; undone again then, every file has its old name back.
TEST(BatchMoveKilled, RenumberingInPlaceAndItsUndoLoseNothing)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    const int files = 240;
    for (const QString mode : {"in-place", "undo"}) {
        SCOPED_TRACE(mode.toStdString());
        int interrupted = 0;
        for (int round = 0; round < 3; ++round) {
            TempTree tree;
            tree.makeFolder("TEMP");
            QByteArrayList contents;
            for (int i = 0; i < files; ++i) {
                contents.append(QByteArray(random.bounded(1, 48 * 1024), char(i)) + QByteArray::number(i));
                tree.writeFile(QString::asprintf("src/f%03d.bin", i), contents.last());
            }
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/velda_batch_move_child",
                        {tree.path("src"), tree.path("src"), tree.path("TEMP"), tree.path("journal"), mode});
            ASSERT_TRUE(child.waitForStarted());
            // An undo's lines, one as each file is set aside and one as it goes back, follow the run's.
            const int killAfter = mode == "undo" ? files + random.bounded(1, 2 * files) : random.bounded(1, files);
            for (int started = 0; started < killAfter && child.waitForReadyRead(10000);)
                started += child.readAll().count('\n');
            child.kill();
            child.waitForFinished();
            interrupted += child.exitStatus() == QProcess::CrashExit;
            expectSettled(tree);

            QByteArrayList found;
            for (const QString& name : tree.names("src")) {
                EXPECT_FALSE(name.startsWith('.')) << name.toStdString();
                found.append(tree.readFile("src/" + name));
            }
            QByteArrayList sorted = contents;
            std::sort(found.begin(), found.end());
            std::sort(sorted.begin(), sorted.end());
            EXPECT_TRUE(found == sorted) << found.size() << " files for " << sorted.size();
            if (mode != "undo")
                continue;
            RunProgress progress(nullptr, 0);
            const FileOps::UndoOutcome outcome =
                FileOps::undoRun(FileOps::journalPaths(tree.path("journal")).value(0), progress);
            EXPECT_TRUE(outcome.left.isEmpty()) << outcome.left.join(' ').toStdString();
            for (int i = 0; i < files; ++i)
                EXPECT_EQ(tree.readFile(QString::asprintf("src/f%03d.bin", i)), contents.at(i)) << i;
        }
        EXPECT_GT(interrupted, 0) << "no kill landed while the run was busy";
    }
}

// A copy onto another file system than the staging folder's is flushed in
// groups: killed at any moment, every source stays and every copy made is
// whole; run to its end, its last copies are flushed before the run ends.
TEST(BatchMoveKilled, CopiesAcrossFileSystemsStayWhole)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    for (int round = 0; round < 4; ++round) {
        TempTree tree;
        TestMount staging(tree, TestMount::Kind::Tmpfs, "TEMP");
        if (!staging.mounted())
            GTEST_SKIP() << "no tmpfs mount possible here";
        tree.makeFolder("dst");
        QHash<QString, QByteArray> contents;
        for (int i = 0; i < 120; ++i) {
            const QString name = QString::asprintf("f%03d.bin", i);
            tree.writeFile("src/" + name, contents[name] = QByteArray(random.bounded(1, 48 * 1024), char(i)));
        }
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/velda_batch_move_child",
                    {tree.path("src"), tree.path("dst"), tree.path("TEMP"), tree.path("journal"), "copy"});
        ASSERT_TRUE(child.waitForStarted());
        const bool killed = round < 3;
        if (killed) {
            const int killAfter = random.bounded(1, 120);
            for (int started = 0; started < killAfter && child.waitForReadyRead(10000);)
                started += child.readAll().count('\n');
            child.kill();
        }
        ASSERT_TRUE(child.waitForFinished(60000));
        if (!killed) {
            EXPECT_EQ(child.exitCode(), 0);
            const QStringList journals = FileOps::journalPaths(tree.path("journal"));
            ASSERT_EQ(journals.size(), 1);
            QFile journal(journals.first());
            ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = journal.readAll().split('\n');
            int lastPlaced = -1;
            for (int i = 0; i < lines.size(); ++i)
                lastPlaced = lines.at(i).startsWith("placed ") ? i : lastPlaced;
            EXPECT_TRUE(lastPlaced > 0 && lines.mid(lastPlaced).contains("flushed")) << "last copies never flushed";
        }
        expectSettled(tree);

        for (auto file = contents.cbegin(); file != contents.cend(); ++file) {
            EXPECT_EQ(tree.readFile("src/" + file.key()), file.value()) << file.key().toStdString();
            const QString copy = "dst/copied_" + file.key();
            EXPECT_TRUE(killed ? !tree.exists(copy) || tree.readFile(copy) == file.value()
                               : tree.readFile(copy) == file.value())
                << copy.toStdString() << " not whole";
        }
        for (const QString& name : tree.names("dst"))
            EXPECT_TRUE(name.startsWith("copied_") && contents.contains(name.mid(7))) << name.toStdString();
    }
}
