#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace platform {

// Virtual-key codes and shift bits as the handlers receive them.
namespace Key {
constexpr int Enter = 13;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
}  // namespace Key
namespace ShiftState {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace ShiftState

// Controls of one kind on a window, addressed by a fixed index: one handler per
// event serves them all and receives the index. Handlers observe, they never
// swallow: the control still processes the key or click itself.
//
// Focus follows the classic desktop: exactly one control of the program has the
// focus. A message box or folder dialog does not take it away (see
// ModalDialogScope), nor does a menu or switching to another program; a
// handler that puts the focus back while the control is losing it is honoured.
// A field left by a key or a double-click keeps no caret or selection, and one
// entered by Tab keeps its text unselected.
class ControlArray : public QObject {
public:
    using IndexHandler = std::function<void(int index)>;
    using KeyDownHandler = std::function<void(int index, int keyCode, int shift)>;
    using KeyPressHandler = std::function<void(int index, int keyAscii)>;

    explicit ControlArray(QObject* parent = nullptr);

    void add(int index, QWidget* control);
    QWidget* control(int index) const;
    template <class Control>
    Control* at(int index) const
    {
        return static_cast<Control*>(control(index));
    }
    QList<int> indices() const { return controls_.keys(); }

    void onGotFocus(IndexHandler handler) { gotFocus_ = std::move(handler); }
    void onLostFocus(IndexHandler handler) { lostFocus_ = std::move(handler); }
    void onDblClick(IndexHandler handler) { dblClick_ = std::move(handler); }
    void onKeyDown(KeyDownHandler handler) { keyDown_ = std::move(handler); }
    void onKeyPress(KeyPressHandler handler) { keyPress_ = std::move(handler); }
    // Buttons: a push button or check box when clicked, an option button when
    // it becomes selected (also when code selects it).
    void onClick(IndexHandler handler) { click_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(QObject* object) const;
    void focusIn(int index, QWidget* control, int reason);
    void focusOut(int index, QWidget* control, int reason);
    void redeliver(QWidget* control, QEvent* event);
    bool takeKeyAfterLeaving(QWidget* control, QEvent* key);

    QMap<int, QPointer<QWidget>> controls_;
    IndexHandler gotFocus_, lostFocus_, dblClick_, click_;
    KeyDownHandler keyDown_;
    KeyPressHandler keyPress_;
    bool redelivering_ = false;
};

// Held while a modal message box or dialog is open: the focus changes it causes
// are not the user's and reach no handler.
class ModalDialogScope {
public:
    ModalDialogScope();
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;
    static bool active();

    // When the dialog has closed, the desktop gives the activation to a window
    // of its own choosing. Waits, still held, until that has reached the
    // program (a moment at most: it may go to another program), so that a
    // handler sending the focus elsewhere next has the last word and the
    // desktop's late activation is not taken for the user switching windows.
    void awaitActivation();
};

// Gives the focus to a control, bringing its window to the front first when
// the control lies in another window. The control shows the focus as after a
// keyboard move (a button its focus frame).
void focusControl(QWidget* control);

// The control that has the program's focus, or nullptr.
QWidget* focusedControl();

}  // namespace platform
