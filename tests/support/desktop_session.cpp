#include "support/desktop_session.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool sessionAvailable = false;

QString xdotool()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    return path;
}

pid_t spawn(const QByteArray& program, QList<QByteArray> arguments, int outputFd = -1)
{
    arguments.prepend(program);
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// Waits for a condition the started programs fulfil, giving up after a while.
template <class Condition>
bool waitFor(Condition condition)
{
    for (int round = 0; round < 100; ++round) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace

DesktopSession::~DesktopSession()
{
    stop(windowManager_);
    stop(server_);
}

QString DesktopSession::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty())
        return QString();

    // The server writes its display number into the pipe once it is ready.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return QString();
    server_ = spawn(QFile::encodeName(xvfb),
                    {"-displayfd", QByteArray::number(pipeFds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    close(pipeFds[1]);
    QByteArray number;
    char ch = 0;
    while (server_ && read(pipeFds[0], &ch, 1) == 1 && ch != '\n')
        number.append(ch);
    close(pipeFds[0]);
    if (!server_ || number.isEmpty())
        return QString();
    const QByteArray display = ":" + number;
    qputenv("DISPLAY", display);

    static QTemporaryDir scratch;
    const QString ready = QDir(scratch.path()).filePath(QStringLiteral("wm-ready"));
    windowManager_ = spawn(QFile::encodeName(openbox),
                           {"--sm-disable", "--startup", "touch " + QFile::encodeName(ready)});
    if (!windowManager_ || !waitFor([&ready] { return QFile::exists(ready); }))
        return QString();
    return QString::fromLatin1(display);
}

bool DesktopSession::available()
{
    return sessionAvailable;
}

void DesktopSession::setAvailable(bool available)
{
    sessionAvailable = available;
}

bool DesktopSession::realInputAvailable()
{
    return !xdotool().isEmpty();
}

void DesktopSession::clickAt(QPoint global)
{
    QProcess::execute(xdotool(), {QStringLiteral("mousemove"), QString::number(global.x()),
                                  QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void DesktopSession::pressKey(const QString& keyName)
{
    QProcess::execute(xdotool(), {QStringLiteral("key"), keyName});
}

quint64 DesktopSession::keyboardFocusWindow()
{
    QProcess query;
    query.start(xdotool(), {QStringLiteral("getwindowfocus")});
    query.waitForFinished();
    return query.readAllStandardOutput().trimmed().toULongLong();
}
