#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Handing documents and programs to the desktop. Tests replace both.
namespace platform {

// Opens a file or address with the desktop's default handler. When nothing
// could open it, whenNothingOpened runs (later: the desktop answers after a while).
void openWithDesktop(const QUrl& url, std::function<void()> whenNothingOpened = {});
// An opener returns false when nothing could open the address; nullptr: the desktop's.
void setDesktopOpener(std::function<bool(const QUrl&)> opener);

// Starts a program in a window of its own; false when it could not be started.
bool startProgram(const QString& program);
void setProgramStarter(std::function<bool(const QString&)> starter);  // nullptr: a real start

}  // namespace platform
