#include "platform/control_array.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

int modalDepth = 0;
QPointer<QWidget> trackedFocus;

// How long a closed dialog waits for the desktop's activation at most.
constexpr int ActivationWaitMs = 500;

bool programWindowActive()
{
    const QWidget* active = QApplication::activeWindow();
    return active && active->isVisible();
}

bool programWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget* window) { return window->isVisible(); });
}

int virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Backspace: return 8;
    default: return qtKey < 0x80 ? qtKey : 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftState::Shift;
    if (modifiers & Qt::ControlModifier)
        state |= ShiftState::Ctrl;
    if (modifiers & Qt::AltModifier)
        state |= ShiftState::Alt;
    return state;
}

int keyAscii(const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return Key::Enter;
    const QString text = key->text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f)
        return 0;
    return text.at(0).unicode();
}

bool isWindowSwitch(int reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// A menu, opened by the mouse or the keyboard, takes no focus from a control.
bool isMenu(int reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

}  // namespace

ControlArray::ControlArray(QObject* parent) : QObject(parent) {}

void ControlArray::add(int index, QWidget* control)
{
    controls_.insert(index, control);
    control->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
        area->viewport()->installEventFilter(this);
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        connect(radio, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked && click_)
                click_(index);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [this, index] {
            if (click_)
                click_(index);
        });
    }
}

QWidget* ControlArray::control(int index) const
{
    return controls_.value(index);
}

int ControlArray::indexOf(QObject* object) const
{
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
        QWidget* control = it.value();
        if (!control)
            continue;
        if (control == object)
            return it.key();
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control); area && area->viewport() == object)
            return it.key();
    }
    return -1;
}

void ControlArray::focusIn(int index, QWidget* control, int reason)
{
    if (control == trackedFocus)
        return;
    if (isWindowSwitch(reason) && ModalDialogScope::active())
        return;
    // Coming back from another window straight into another control: the
    // control that had the focus there loses it first.
    if (trackedFocus) {
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(trackedFocus, &out);
        if (trackedFocus)
            return;  // its handler kept the focus
    }
    trackedFocus = control;
    if (gotFocus_)
        gotFocus_(index);
}

void ControlArray::focusOut(int index, QWidget* control, int reason)
{
    if (control != trackedFocus || isMenu(reason))
        return;
    if (isWindowSwitch(reason) && (ModalDialogScope::active() || !QApplication::activeWindow()))
        return;
    trackedFocus = nullptr;
    if (lostFocus_)
        lostFocus_(index);
}

bool ControlArray::eventFilter(QObject* watched, QEvent* event)
{
    const int index = indexOf(watched);
    if (index < 0 || redelivering_)
        return false;
    QWidget* control = controls_.value(index);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == control) {
            const int reason = static_cast<QFocusEvent*>(event)->reason();
            focusIn(index, control, reason);
            // A field entered by Tab keeps its text unselected, as on the classic desktop.
            if (qobject_cast<QLineEdit*>(control)
                && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
                QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
                redeliver(control, &plain);
                return true;
            }
        }
        break;
    case QEvent::FocusOut:
        if (watched == control) {
            // The control puts out its caret before a handler can show a box.
            redeliver(control, event);
            focusOut(index, control, static_cast<QFocusEvent*>(event)->reason());
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (watched == control) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (keyDown_)
                keyDown_(index, virtualKeyCode(key->key()), shiftState(key->modifiers()));
            const int ascii = keyAscii(key);
            if (ascii && keyPress_)
                keyPress_(index, ascii);
            if (control != trackedFocus && control)
                return takeKeyAfterLeaving(control, event);
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (dblClick_) {
            dblClick_(index);
            // The double-click led elsewhere: it selects nothing in the field it left.
            return control != trackedFocus;
        }
        break;
    default:
        break;
    }
    return false;
}

void ControlArray::redeliver(QWidget* control, QEvent* event)
{
    redelivering_ = true;
    QCoreApplication::sendEvent(control, event);
    redelivering_ = false;
}

// The control still processes a key that moved the focus away, but a text
// field that does so turns its caret on again; it is put out once the key is done.
bool ControlArray::takeKeyAfterLeaving(QWidget* control, QEvent* key)
{
    QPointer<QWidget> guard(control);
    redeliver(control, key);
    if (guard && !guard->hasFocus()) {
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        redeliver(guard, &out);
    }
    return true;
}

ModalDialogScope::ModalDialogScope()
{
    ++modalDepth;
}

ModalDialogScope::~ModalDialogScope()
{
    --modalDepth;
}

bool ModalDialogScope::active()
{
    return modalDepth > 0;
}

void ModalDialogScope::awaitActivation()
{
    if (programWindowActive() || !programWindowShown())
        return;
    QEventLoop loop;
    QTimer::singleShot(ActivationWaitMs, &loop, &QEventLoop::quit);
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &loop, [&loop] {
        if (programWindowActive())
            loop.quit();
    });
    // What the user does meanwhile is handled after the handler is through.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void focusControl(QWidget* control)
{
    // The control that lost the focus while a dialog was open loses it now.
    if (trackedFocus && trackedFocus != control && !trackedFocus->hasFocus()) {
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(trackedFocus, &out);
        if (trackedFocus)
            return;  // its handler kept the focus
    }
    QWidget* window = control->window();
    if (window != QApplication::activeWindow()) {
        window->raise();
        window->activateWindow();
    }
    // A move by the program is a keyboard move: the control shows its focus frame.
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    control->setFocus(Qt::OtherFocusReason);
}

QWidget* focusedControl()
{
    return trackedFocus;
}

}  // namespace platform
