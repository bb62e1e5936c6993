#include "support/desktop_session.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

static QString xdotool()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    return path;
}

DesktopSession::~DesktopSession()
{
    for (QProcess* process : {&windowManager_, &server_}) {
        process->terminate();
        process->waitForFinished();
    }
}

QString DesktopSession::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty())
        return QString();

    // The server writes its display number to its output once it is ready.
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    while (!number.contains('\n') && server_.waitForReadyRead(10000))
        number += server_.readAllStandardOutput();
    if (number.trimmed().isEmpty())
        return QString();
    const QByteArray display = ":" + number.trimmed();
    qputenv("DISPLAY", display);

    static QTemporaryDir scratch;
    const QString ready = scratch.filePath(QStringLiteral("wm-ready"));
    windowManager_.setProcessChannelMode(QProcess::ForwardedChannels);
    windowManager_.start(openbox, {"--sm-disable", "--startup", "touch " + ready});
    for (int round = 0; round < 100 && !QFile::exists(ready); ++round)
        QThread::msleep(50);
    return QFile::exists(ready) ? QString::fromLatin1(display) : QString();
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
