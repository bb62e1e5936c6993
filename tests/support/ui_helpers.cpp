#include "support/ui_helpers.h"

#include "platform/vb_look.h"
#include "support/private_data_home.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

namespace ui {

void showActive(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    settle();
}

void focusByUser(QWidget* control)
{
    QWidget* window = control->window();
    if (QApplication::activeWindow() != window)
        showActive(window);
    control->setFocus(Qt::TabFocusReason);
    settle();
}

void pressKey(QWidget* control, Qt::Key key)
{
    const QString text = key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r") : QString();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &release);
    settle();
}

void typeText(QWidget* control, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(control, &press);
    }
    settle();
}

void retype(QWidget* field, const QString& text)
{
    platform::setTextOf(field, text);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(field))
        edit->moveCursor(QTextCursor::End);
}

void click(QAbstractButton* button)
{
    button->click();
    settle();
}

// The program learns that keys held are let go from the next key event of
// any widget (a Shift key's own event would still count Shift); the one that
// was clicked may have gone with its window.
static void settleAndLetGoOfKeys()
{
    settle();
    static QWidget* const bystander = new QWidget;  // lives as long as the program
    QTest::keyRelease(bystander, Qt::Key_F20);
    settle();
}

void clickHolding(QAbstractButton* button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(button, Qt::LeftButton, modifiers);
    settleAndLetGoOfKeys();
}

void pressKeyHolding(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(control, key, modifiers);
    settleAndLetGoOfKeys();
}

void doubleClick(QWidget* control)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(control);
    sendMouse(area ? area->viewport() : control, QEvent::MouseButtonDblClick);
    settle();
}

void sendMouse(QWidget* control, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, QPointF(at), QPointF(control->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &event);
}

QStringList entriesOf(const QAbstractItemView* list, bool selectedOnly)
{
    QStringList names;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (!selectedOnly || list->selectionModel()->isSelected(index))
            names.append(index.data().toString());
    }
    return names;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int runWindowTests(int argc, char** argv)
{
    const PrivateDataHome dataHome;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace ui
