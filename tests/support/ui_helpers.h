#pragma once

#include <QApplication>
#include <QEvent>
#include <QPoint>
#include <QStringList>
#include <Qt>

class QAbstractButton;
class QAbstractItemView;

// Driving windows on the offscreen platform as a user would.
namespace ui {

// Shows the window and makes it the active one, so focus changes are delivered.
void showActive(QWidget* window);
// Focus as the user moves it: a Tab or click away from the current control.
void focusByUser(QWidget* control);
// A key alone; one pressed with Shift or Ctrl held is pressKeyHolding's.
void pressKey(QWidget* control, Qt::Key key);
void typeText(QWidget* control, const QString& text);
// Types over a field's text, leaving the cursor at its end.
void retype(QWidget* field, const QString& text);
void click(QAbstractButton* button);
// A click with the mouse, or a key pressed, keys such as Shift held, as the
// program reads them from the desktop; they count as let go afterwards.
void clickHolding(QAbstractButton* button, Qt::KeyboardModifiers modifiers);
void pressKeyHolding(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers);
void doubleClick(QWidget* control);
// One event of the left mouse button, at a point of the control.
void sendMouse(QWidget* control, QEvent::Type type, QPoint at = QPoint(4, 4));
inline QWidget* focused() { return QApplication::focusWidget(); }
// The entries of a list, or the selected ones, in list order.
QStringList entriesOf(const QAbstractItemView* list, bool selectedOnly);
inline QStringList entries(const QAbstractItemView* list) { return entriesOf(list, false); }
inline QStringList selectedEntries(const QAbstractItemView* list) { return entriesOf(list, true); }
// Delivers posted events, deferred deletes included.
void settle();
// A window test program's main, on a per-user data folder of its own.
int runWindowTests(int argc, char** argv);

}  // namespace ui
