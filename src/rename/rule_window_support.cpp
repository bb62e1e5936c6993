#include "rename/rule_window_support.h"

#include "platform/vb_look.h"

#include <QWidget>

#include <cmath>

namespace {

RuleWindowHost* currentHost = nullptr;

}  // namespace

RuleWindowHost::RuleWindowHost()
{
    currentHost = this;
}

RuleWindowHost::~RuleWindowHost()
{
    if (currentHost == this)
        currentHost = nullptr;
}

namespace RuleWindow {

RuleWindowHost* host()
{
    return currentHost;
}

void showHint(const QString& hint)
{
    if (currentHost)
        currentHost->showHint(hint);
}

void focusCopyButton()
{
    if (currentHost)
        currentHost->focusCopyButton();
}

QSize outerSizeTwips(const QWidget& window)
{
    QSize outer = window.frameGeometry().size();
    // Not framed by the desktop yet: it will wear the frame the main window wears.
    if (outer.height() <= window.height() && currentHost) {
        const QWidget& main = currentHost->hostWindow();
        outer = window.size() + (main.frameGeometry().size() - main.size()).expandedTo(QSize(0, 0));
    }
    return QSize(platform::pixelsToTwips(outer.width()), platform::pixelsToTwips(outer.height()));
}

QSize mainWindowSizeTwips()
{
    return currentHost ? outerSizeTwips(currentHost->hostWindow()) : QSize();
}

QSize screenSizeTwips()
{
    return QSize(platform::screenWidthTwips(), platform::screenHeightTwips());
}

void moveToTwips(QWidget& window, double left, double top)
{
    window.move(platform::twipsToPixels(int(std::lround(left))), platform::twipsToPixels(int(std::lround(top))));
}

}  // namespace RuleWindow
