#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>

namespace platform {

namespace {
std::function<void(const QUrl&)> desktopOpener;
std::function<bool(const QString&)> programStarter;
}  // namespace

void openWithDesktop(const QUrl& url)
{
    if (desktopOpener)
        desktopOpener(url);
    else
        QDesktopServices::openUrl(url);
}

void setDesktopOpener(std::function<void(const QUrl&)> opener)
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
