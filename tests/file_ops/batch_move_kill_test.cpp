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
#include <optional>

namespace {

// Runs the child on src, killed once it has started killAfter steps (0: left to end); true when
// the kill landed while it was busy. The next start then settles every journal it left.
bool runChild(const TempTree& tree, const QString& destination, const QString& mode, int killAfter,
              QRandomGenerator& random)
{
    QProcess child;
    child.start(QCoreApplication::applicationDirPath() + "/velda_batch_move_child",
                {tree.path("src"), tree.path(destination), tree.path("TEMP"), tree.path("journal"), mode});
    EXPECT_TRUE(child.waitForStarted());
    for (int started = 0; started < killAfter && child.waitForReadyRead(10000);)
        started += child.readAll().count('\n');
    if (killAfter > 0) {
        // A move within one file system is a rename: the rest of the run takes milliseconds.
        QThread::usleep(random.bounded(500));
        child.kill();
    }
    EXPECT_TRUE(child.waitForFinished(60000));
    EXPECT_TRUE(killAfter > 0 || child.exitCode() == 0);
    const bool interrupted = child.exitStatus() == QProcess::CrashExit;

    EXPECT_EQ(FileOps::settleInterruptedRuns(tree.path("journal")).firstError.number, 0);
    for (const QString& path : FileOps::journalPaths(tree.path("journal"))) {
        FileOps::JournalRun run;
        EXPECT_TRUE(FileOps::readJournalRun(path, run) && run.finished) << path.toStdString();
    }
    return interrupted;
}

}  // namespace

// A batch move or copy killed at any moment leaves every file whole at its source or destination (a
// copy's source always) and nothing else there; run to its end, a copy onto another file system than
// the staging folder's flushes its last group before the run ends. Renumbering in place, or its undo,
// killed at any moment leaves every file's data once in a visible file; undone then, its old name.
TEST(BatchMoveKilled, EveryFileStaysWholeOnceTheNextStartHasSettledTheRun)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    const int files = 240;
    // killFrom, killTo: steps started before the kill; 0: run to its end.
    const struct { QString mode; int killFrom, killTo, rounds; } runs[] = {
        {"move", 1, 200, 5}, {"copy", 1, 200, 3}, {"copy", 0, 0, 1}, {"in-place", 1, files, 3},
        // An undo's lines, one as each file is set aside and one as it goes back, follow the run's.
        {"undo", files + 1, 3 * files, 3},
    };
    for (const auto& r : runs) {
        const bool killed = r.killTo > 0, copying = r.mode == "copy", inPlace = r.mode == "in-place" || r.mode == "undo";
        SCOPED_TRACE(r.mode.toStdString() + (killed ? ", killed" : ""));
        const QString prefix = copying ? "copied_" : "moved_";
        int interrupted = 0;
        for (int round = 0; round < r.rounds; ++round) {
            TempTree tree;
            tree.makeFolder("dst");
            std::optional<TestMount> staging;
            if (copying && !staging.emplace(tree, TestMount::Kind::Tmpfs, "TEMP").mounted())
                GTEST_SKIP() << "no tmpfs mount possible here";
            tree.makeFolder("TEMP");
            QHash<QString, QByteArray> contents;
            for (int i = 0; i < files; ++i) {
                const int size = i % 20 == 0 && !inPlace ? 1024 * 1024 + random.bounded(4096) : random.bounded(1, 48 * 1024);
                const QString name = QString::asprintf("f%03d.bin", i);
                tree.writeFile("src/" + name, contents[name] = QByteArray(size, char(i)) + QByteArray::number(i));
            }
            interrupted += runChild(tree, inPlace ? "src" : "dst", r.mode, killed ? random.bounded(r.killFrom, r.killTo) : 0, random);
            const QStringList journals = FileOps::journalPaths(tree.path("journal"));
            const QByteArray records = readRawFile(QFile::encodeName(journals.value(0)));
            EXPECT_TRUE(killed || records.indexOf("\nflushed\n", records.lastIndexOf("\nplaced ")) > 0) << "last copies never flushed";
            if (inPlace) {
                QByteArrayList found;
                for (const QString& name : tree.names("src"))
                    found.append(name.startsWith('.') ? "hidden " + name.toUtf8() : tree.readFile("src/" + name));
                const QByteArrayList expected = contents.values();
                EXPECT_TRUE(std::is_permutation(found.begin(), found.end(), expected.begin(), expected.end()))
                    << found.size() << " files for " << expected.size();
            }
            if (inPlace && !journals.isEmpty()) {
                RunProgress progress(nullptr, 0);
                const FileOps::UndoOutcome outcome = FileOps::undoRun(journals.value(0), progress);
                EXPECT_TRUE(outcome.left.isEmpty()) << outcome.left.join(' ').toStdString();
            }
            for (auto file = contents.cbegin(); file != contents.cend(); ++file) {
                const QString source = "src/" + file.key(), destination = "dst/" + prefix + file.key();
                const bool atSource = tree.exists(source), atDestination = tree.exists(destination);
                EXPECT_TRUE(copying ? atSource && (killed || atDestination) : atSource || atDestination)
                    << file.key().toStdString() << " lost";
                for (const QString& copy : {source, destination})
                    EXPECT_TRUE(!tree.exists(copy) || tree.readFile(copy) == file.value()) << copy.toStdString() << " not whole";
            }
            for (const QString& name : tree.names("dst"))
                EXPECT_TRUE(name.startsWith(prefix) && contents.contains(name.mid(prefix.size()))) << name.toStdString();
        }
        EXPECT_TRUE(!killed || interrupted > 0) << "no kill landed while the run was busy";
    }
}
