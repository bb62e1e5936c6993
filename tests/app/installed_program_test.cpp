#include "archive/test_archives.h"
#include "support/desktop_session.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// The program as a user has it, installed (`cmake --install` into the test's
// own prefix: unlike a package it needs no root and leaves the machine as it
// was), started as a file manager starts it, with one path.
namespace {

const QString Program = QStringLiteral(VELDA_PROGRAM_NAME);
const QString MainWindow = QStringLiteral("Tessel・「Velda」");
const QString Message = QStringLiteral("Velda");

QString xprop(const QStringList& arguments)
{
    QProcess process;
    process.start("xprop", arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList windowTitles()
{
    QStringList titles;
    const QString clients = xprop({"-root", "_NET_CLIENT_LIST"}).section('#', 1);
    for (auto id = QRegularExpression("0x[0-9a-f]+").globalMatch(clients); id.hasNext();)
        titles << xprop({"-id", id.next().captured(), "_NET_WM_NAME"}).section('"', 1, -2);
    return titles;
}

// Waits until the desktop shows all of wanted, giving up after ample time.
bool shows(const QStringList& wanted)
{
    return QTest::qWaitFor([&wanted] {
        const QStringList titles = windowTitles();
        return std::all_of(wanted.begin(), wanted.end(), [&titles](const QString& t) { return titles.contains(t); });
    }, 30000);
}

class InstalledProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new TempTree;
        QProcess install;
        install.start(QStringLiteral(VELDA_CMAKE), {"--install", VELDA_BUILD_DIR, "--prefix", prefix_->root()});
        ASSERT_TRUE(install.waitForFinished(60000) && install.exitCode() == 0) << install.readAllStandardError().data();
    }
    static void TearDownTestSuite() { delete prefix_; }

    void SetUp() override
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", tree.path("data"));
        environment.insert("LC_ALL", "C.UTF-8");
        velda.setProcessEnvironment(environment);
        velda.setProgram(prefix_->path("bin/" + Program));
        velda.setProcessChannelMode(QProcess::MergedChannels);
    }
    void TearDown() override { stop(); }
    void stop() { velda.kill(); velda.waitForFinished(); }

    // The raw bytes through a shell: QProcess would encode them by the locale.
    void start(const QByteArray& path)
    {
        QString octal;
        for (unsigned char byte : path)
            octal += "\\0" + QString::number(byte, 8);
        velda.start("/bin/sh", {"-c", "exec \"$0\" \"$(printf '%b' \"$1\")\"", prefix_->path("bin/" + Program), octal});
    }

    TempTree tree;
    QProcess velda;
    static inline TempTree* prefix_ = nullptr;
};

}  // namespace

TEST_F(InstalledProgram, AnswersHelpWithoutADisplay)
{
    velda.start("env", {"-u", "DISPLAY", velda.program(), "--help"});
    ASSERT_TRUE(velda.waitForFinished(20000));
    EXPECT_EQ(velda.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(velda.readAll()).contains("使い方"));
}

// The archive lies in a folder whose name is not UTF-8.
TEST_F(InstalledProgram, StartsOnAnArchiveInItsFolderOrWithAMessageForAMissingPath)
{
    if (!DesktopSession::available())
        GTEST_SKIP() << "no X server and window manager";
    const QByteArray notUtf8("\x8e\xca\x90\x5e\xff"), root = QFile::encodeName(tree.root());
    tree.writeRaw(notUtf8 + "/資料.zip", TestArchives::zip({{"a.txt", "x"}}));
    const struct { QByteArray path; QStringList windows; } cases[] = {
        {root + "/ない", {MainWindow, Message}},
        {root + "/" + notUtf8 + "/資料.zip", {MainWindow, QStringLiteral("解凍ファイル一覧")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        start(c.path);
        ASSERT_TRUE(shows(c.windows)) << windowTitles().join(" | ").toStdString();
        // A name that lost its bytes on the way would be missing: a message.
        QTest::qWait(1000);
        EXPECT_EQ(windowTitles().contains(Message), c.windows.contains(Message));
        EXPECT_TRUE(QDir(tree.path("data/Velda/" + Program + "/TEMP")).exists());
        EXPECT_FALSE(QDir(prefix_->path("bin/TEMP")).exists());
        stop();
    }
    EXPECT_TRUE(QFile::exists(tree.path("data/Velda/" + Program + "/MELT/a.txt")));
}
