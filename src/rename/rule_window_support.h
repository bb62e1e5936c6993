#pragma once

#include <QSize>
#include <QString>

class QWidget;
class frmMarlow;

// What the two rule windows share: their ties to the main window.
namespace RuleWindow {

frmMarlow& mainWindow();
// Writes a hint into the main window's status line.
void showHint(const QString& hint);
void focusCopyButton();
// Outer size of a window in twips, its title bar and border included.
QSize outerSizeTwips(const QWidget& window);
QSize screenSizeTwips();
// Moves a window to a place given in twips.
void moveToTwips(QWidget& window, double left, double top);

}  // namespace RuleWindow
