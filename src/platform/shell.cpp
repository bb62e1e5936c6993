#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {
std::function<bool(const QUrl&)> desktopOpener;
std::function<bool(const QString&)> programStarter;

// Qt's opener only tells whether it could start xdg-open; xdg-open's exit
// code tells whether anything took the address.
void openThroughXdgOpen(const QString& xdgOpen, const QUrl& url, std::function<void()> whenNothingOpened)
{
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::errorOccurred, process, [process, whenNothingOpened](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        whenNothingOpened();
        process->deleteLater();
    });
    QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process,
                     [process, whenNothingOpened](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             whenNothingOpened();
                         process->deleteLater();
                     });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(xdgOpen, {QString::fromLatin1(url.toEncoded())});
}

}  // namespace

void openWithDesktop(const QUrl& url, std::function<void()> whenNothingOpened)
{
    if (desktopOpener) {
        if (!desktopOpener(url) && whenNothingOpened)
            whenNothingOpened();
        return;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (whenNothingOpened && !xdgOpen.isEmpty())
        openThroughXdgOpen(xdgOpen, url, std::move(whenNothingOpened));
    else if (!QDesktopServices::openUrl(url) && whenNothingOpened)
        whenNothingOpened();
}

void setDesktopOpener(std::function<bool(const QUrl&)> opener)
{
    desktopOpener = std::move(opener);
}

bool startProgram(const QString& program)
{
    if (programStarter)
        return programStarter(program);
    return QProcess::startDetached(program, QStringList());
}

void setProgramStarter(std::function<bool(const QString&)> starter)
{
    programStarter = std::move(starter);
}

}  // namespace platform
