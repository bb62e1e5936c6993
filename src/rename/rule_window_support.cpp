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
    const QRect frame = window.frameGeometry();
    return QSize(platform::pixelsToTwips(frame.width()), platform::pixelsToTwips(frame.height()));
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
