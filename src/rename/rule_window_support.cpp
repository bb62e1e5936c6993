#include "rename/rule_window_support.h"

#include "main_window/frm_marlow.h"
#include "platform/control_array.h"
#include "platform/vb_look.h"

#include <QLabel>

#include <cmath>

namespace RuleWindow {

frmMarlow& mainWindow()
{
    return platform::FormInstance<frmMarlow>::get();
}

void showHint(const QString& hint)
{
    mainWindow().Label2->setText(hint);
}

void focusCopyButton()
{
    platform::focusControl(mainWindow().Command1.control(0));
}

QSize outerSizeTwips(const QWidget& window)
{
    QSize outer = window.frameGeometry().size();
    // Not framed by the desktop yet: it will wear the frame the main window wears.
    if (outer.height() <= window.height()) {
        const QWidget& main = mainWindow();
        outer = window.size() + (main.frameGeometry().size() - main.size()).expandedTo(QSize(0, 0));
    }
    return QSize(platform::pixelsToTwips(outer.width()), platform::pixelsToTwips(outer.height()));
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
