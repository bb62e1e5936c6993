#include "platform/desktop_scale.h"

#include <QGuiApplication>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)

#include <X11/Xlib.h>

namespace platform {

namespace {

// The resolution the desktop asks for (Xft.dpi among the X resources), or 0.
double desktopDpi()
{
    const QByteArray qpa = qgetenv("QT_QPA_PLATFORM");
    if (!qpa.isEmpty() && qpa != "xcb")
        return 0;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    constexpr char Key[] = "Xft.dpi:";
    double dpi = 0;
    if (const char* resources = XResourceManagerString(display)) {
        for (const QByteArray& line : QByteArray(resources).split('\n')) {
            if (line.startsWith(Key))
                dpi = line.mid(int(sizeof(Key)) - 1).trimmed().toDouble();
        }
    }
    XCloseDisplay(display);
    return dpi;
}

}  // namespace

// Qt 5 on X11 grows only the fonts, after the server's resolution when the
// desktop names none, and so text outgrew its controls. Set like Qt 6: the
// whole window scales by the desktop's resolution, else none, and a point is
// always a point at 96 dpi.
void followDesktopScale()
{
    QGuiApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI") && desktopDpi() <= 0)
        qputenv("QT_FONT_DPI", "96");
}

}  // namespace platform

#else

namespace platform {

// Qt 6 does so itself.
void followDesktopScale() {}

}  // namespace platform

#endif
