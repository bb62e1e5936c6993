#include "archive/test_archives.h"
#include "support/desktop_session.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

// The program as a user has it: installed (`cmake --install` into the test's
// own prefix, which needs no root and leaves the machine as it was, unlike a
// package), started the way a file manager starts it, with a path on its
// command line.
namespace {

const QString Program = QStringLiteral(VELDA_PROGRAM_NAME);

class InstalledProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        installed_ = new TempTree;
        QProcess install;
        install.start(QStringLiteral(VELDA_CMAKE), {"--install", QStringLiteral(VELDA_BUILD_DIR), "--prefix",
                                                    installed_->path("prefix")});
        ASSERT_TRUE(install.waitForFinished(60000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite()
    {
        delete installed_;
        installed_ = nullptr;
    }

    void SetUp() override
    {
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("XDG_DATA_HOME", tree.path("data"));
        environment_.insert("XDG_CONFIG_HOME", tree.path("config"));
        environment_.insert("LC_ALL", "C.UTF-8");
    }

    static QString program() { return installed_->path("prefix/bin/" + Program); }
    QString workFolder(const QString& name) const { return tree.path("data/Velda/" + Program + "/" + name); }

    // Runs to its end, with or without the test's display; what it printed.
    QString runToEnd(const QStringList& arguments, int& exitCode, bool withDisplay = false)
    {
        QProcess process;
        QProcessEnvironment environment = environment_;
        if (!withDisplay)
            environment.remove("DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(program(), arguments);
        EXPECT_TRUE(process.waitForFinished(20000));
        exitCode = process.exitCode();
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    }

    // Started on the test's desktop with one raw argument.
    void start(const QByteArray& argument)
    {
        process_.setProcessEnvironment(environment_);
        // QProcess would encode the argument by the locale: a shell passes bytes.
        process_.start(QStringLiteral("/bin/sh"), {"-c", "exec \"$0\" \"$(printf '%b' \"$1\")\"", program(),
                                                    QString::fromLatin1(escaped(argument))});
        ASSERT_TRUE(process_.waitForStarted());
    }

    void TearDown() override
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    static QByteArray escaped(const QByteArray& bytes)
    {
        QByteArray out;
        for (unsigned char byte : bytes)
            out += "\\0" + QByteArray::number(byte, 8);
        return out;
    }

    // Titles of the windows the window manager shows now.
    QStringList windowTitles()
    {
        QStringList titles;
        const QString clients = xprop({"-root", "_NET_CLIENT_LIST"});
        const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
        for (auto match = id.globalMatch(clients.section('#', 1)); match.hasNext();) {
            const QString name = xprop({"-id", match.next().captured(), "_NET_WM_NAME"});
            titles << name.section('"', 1, -2);
        }
        return titles;
    }

    QString xprop(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(QStringLiteral("xprop"), arguments);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Waits until the titles shown hold all of wanted, or gives up after ample time.
    bool showsWindows(const QStringList& wanted)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000) {
            const QStringList titles = windowTitles();
            if (std::all_of(wanted.begin(), wanted.end(), [&titles](const QString& t) { return titles.contains(t); }))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    TempTree tree;
    QProcessEnvironment environment_;
    QProcess process_;
    static inline TempTree* installed_ = nullptr;
};

const QString MainWindow = QStringLiteral("Tessel・「Velda」");
const QString Contents = QStringLiteral("解凍ファイル一覧");
const QString Message = QStringLiteral("Velda");

}  // namespace

TEST_F(InstalledProgram, AnswersHelpAndVersionWithoutADisplayAndRefusesAnUnknownOption)
{
    int exitCode = -1;
    const QString help = runToEnd({"--help"}, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(help.contains("使い方") && help.contains("usage") && help.contains(Program)) << help.toStdString();
    EXPECT_TRUE(runToEnd({"--version"}, exitCode).contains(QStringLiteral("1.1.0")));
    EXPECT_EQ(exitCode, 0);
    // Qt's own options are known only once it has a display.
    if (!DesktopSession::available())
        GTEST_SKIP() << "no X server for the unknown option";
    EXPECT_TRUE(runToEnd({"--no-such-option"}, exitCode, true).contains("no-such-option"));
    EXPECT_EQ(exitCode, 2);
}

TEST_F(InstalledProgram, StartsOnAFolderAnArchiveOrWithAMessageForAMissingPath)
{
    if (!DesktopSession::available())
        GTEST_SKIP() << "no X server and window manager";
    const QByteArray sjisFolder("\x8e\xca\x90\x5e\xff");  // not UTF-8
    tree.writeRaw(sjisFolder + "/資料.zip", TestArchives::zip({{"a.txt", "x"}}));
    tree.writeFile("写真/a.jpg");
    const QByteArray root = QFile::encodeName(tree.root());
    struct Case {
        QByteArray argument;
        QStringList windows;
        const char* extracted;  // in MELT
    };
    const Case cases[] = {
        {root + "/写真", {MainWindow}, nullptr},
        {root + "/" + sjisFolder, {MainWindow}, nullptr},
        {root + "/" + sjisFolder + "/資料.zip", {MainWindow, Contents}, "a.txt"},
        {root + "/ない", {MainWindow, Message}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        start(c.argument);
        ASSERT_TRUE(showsWindows(c.windows)) << windowTitles().join(" | ").toStdString();
        // A mangled name would not be found: the message would show.
        if (!c.windows.contains(Message)) {
            QThread::msleep(1000);
            EXPECT_FALSE(windowTitles().contains(Message));
        }
        EXPECT_TRUE(QDir(workFolder("TEMP")).exists());
        if (c.extracted) {
            EXPECT_TRUE(QFile::exists(workFolder("MELT/") + c.extracted));
        }
        EXPECT_FALSE(QDir(installed_->path("prefix/bin/TEMP")).exists());
        TearDown();
    }
}
