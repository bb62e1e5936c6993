#pragma once

#include <QProcess>
#include <QString>

// A private X server with a window manager, for the window tests that need
// title bars and a desktop that hands the activation around. Started only when
// Xvfb and openbox are installed; tests skip where it could not start.
class DesktopSession {
public:
    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Starts both and returns the display name, or an empty text.
    QString start();

    static bool available();
    static void setAvailable(bool available);

private:
    QProcess server_, windowManager_;
};
