#include "support/temp_tree.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QVector>

#include <gtest/gtest.h>

namespace {

QByteArray randomContent(QRandomGenerator& random, int size)
{
    QVector<quint32> words((size + 3) / 4);
    random.fillRange(words.data(), int(words.size()));
    return QByteArray(reinterpret_cast<const char*>(words.constData()), size);
}

}  // namespace

// A batch move killed at any moment leaves every file whole at its source or
// at its destination; the destination holds nothing else.
TEST(BatchMoveKilled, LeavesEveryFileWholeAtItsSourceOrDestination)
{
    const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/velda_batch_move_child");
    ASSERT_TRUE(QFileInfo(child).isExecutable()) << child.toStdString();
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    constexpr int FileCount = 240;
    int interrupted = 0;

    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(::testing::Message() << "round " << round);
        TempTree tree;
        tree.makeFolder("dst");
        tree.makeFolder("TEMP");
        QHash<QString, QByteArray> contents;
        for (int i = 0; i < FileCount; ++i) {
            const QString name = QStringLiteral("f%1.bin").arg(i, 3, 10, QLatin1Char('0'));
            const int size = i % 20 == 0 ? 1024 * 1024 + random.bounded(4096) : random.bounded(1, 48 * 1024);
            contents.insert(name, randomContent(random, size));
            tree.writeFile("src/" + name, contents.value(name));
        }

        QProcess process;
        process.start(child, {tree.path("src"), tree.path("dst"), tree.path("TEMP")});
        ASSERT_TRUE(process.waitForStarted());
        const int killAfter = random.bounded(1, FileCount * 5 / 6);
        int started = 0;
        while (started < killAfter && process.waitForReadyRead(10000))
            started += process.readAll().count('\n');
        QThread::usleep(random.bounded(20000));
        process.kill();
        process.waitForFinished();
        if (process.exitStatus() == QProcess::CrashExit)
            ++interrupted;

        for (auto file = contents.cbegin(); file != contents.cend(); ++file) {
            const QString source = "src/" + file.key();
            const QString destination = "dst/moved_" + file.key();
            EXPECT_TRUE(tree.exists(source) || tree.exists(destination)) << file.key().toStdString() << " lost";
            if (tree.exists(source)) {
                EXPECT_EQ(tree.readFile(source), file.value()) << source.toStdString();
            }
            if (tree.exists(destination)) {
                EXPECT_EQ(tree.readFile(destination), file.value()) << destination.toStdString();
            }
        }
        for (const QString& name : tree.names("dst"))
            EXPECT_TRUE(name.startsWith("moved_") && contents.contains(name.mid(6))) << name.toStdString();
    }
    EXPECT_GT(interrupted, 0) << "no kill landed while the run was busy";
}
