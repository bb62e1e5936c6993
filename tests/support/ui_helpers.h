#pragma once

#include <QStringList>
#include <Qt>

class QWidget;

namespace platform {
class FileListBox;
}

// Driving windows on the offscreen platform as a user would.
namespace ui {

// Shows the window and makes it the active one, so focus changes are delivered.
void showActive(QWidget* window);
// Focus as the user moves it: a Tab or click away from the current control.
void focusByUser(QWidget* control);
void pressKey(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void typeText(QWidget* control, const QString& text);
void doubleClick(QWidget* control);
// The entries of a file list, in list order.
QStringList entries(const platform::FileListBox* list);
// Delivers posted events, deferred deletes included.
void settle();

}  // namespace ui
