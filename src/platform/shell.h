#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Handing documents and programs to the desktop. Tests replace both.
namespace platform {

// Opens a file or address with the desktop's default handler; the outcome is not reported.
void openWithDesktop(const QUrl& url);
void setDesktopOpener(std::function<void(const QUrl&)> opener);  // nullptr: the desktop's

// Starts a program in a window of its own; false when it could not be started.
bool startProgram(const QString& program);
void setProgramStarter(std::function<bool(const QString&)> starter);  // nullptr: a real start

}  // namespace platform
