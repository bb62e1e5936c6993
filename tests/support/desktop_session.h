#pragma once

#include <QPoint>
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

    static bool available() { return available_; }
    static void setAvailable(bool available) { available_ = available; }

    // Input through the X server, which the window manager sees as a user's
    // (xdotool); false where that tool is missing.
    static bool realInputAvailable();
    static void clickAt(QPoint global);
    static void pressKey(const QString& keyName);  // an X key name: "Return"
    // The window that has the X server's keyboard focus.
    static quint64 keyboardFocusWindow();

private:
    inline static bool available_ = false;
    QProcess server_, windowManager_;
};
