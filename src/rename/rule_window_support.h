#pragma once

#include <QSize>
#include <QString>

class QWidget;
class frmMarlow;

// What the two rule windows share: their field colours and their ties to the
// main window.
namespace RuleWindow {

constexpr quint32 InitialBackColor = 0xC0FFFF;
constexpr quint32 FocusBackColor = 0xC0E0FF;
constexpr quint32 LeftBackColor = 0xC0C000;

frmMarlow& mainWindow();
// Writes a hint into the main window's status line.
void showHint(const QString& hint);
void focusCopyButton();
// Outer size of a window in twips.
QSize outerSizeTwips(const QWidget& window);
QSize screenSizeTwips();
// Moves a window to a place given in twips.
void moveToTwips(QWidget& window, double left, double top);

}  // namespace RuleWindow
