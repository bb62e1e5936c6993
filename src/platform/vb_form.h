#pragma once

#include <QWidget>

#include <functional>

class QCloseEvent;

namespace platform {

// Why a window is being closed, as its Form_QueryUnload receives it.
namespace UnloadMode {
constexpr int ByUser = 0;      // the close box or the window menu
constexpr int ByCode = 1;      // the program unloads it
constexpr int BySystem = 2;    // the desktop session is ending
}  // namespace UnloadMode

// A top-level window of the program. A window is loaded (built, hidden) the
// first time it is touched and unloaded (destroyed) when closed; loaded again,
// it starts from its design values. Only a close the program did not ask for
// reaches Form_QueryUnload with UnloadMode::ByUser.
class VbForm : public QWidget {
public:
    explicit VbForm(QWidget* parent = nullptr);

    // Closes and destroys the window with UnloadMode::ByCode.
    void unloadByCode();

    // Called once the window is closing for good (the form registry forgets it).
    void setUnloadedCallback(std::function<void()> callback) { unloaded_ = std::move(callback); }

    void setVisible(bool visible) override;

protected:
    virtual void Form_QueryUnload(int& cancel, int unloadMode);
    // Called once, as the window is first shown: by then the desktop's window
    // frame is known, for a window placed edge to edge with others.
    virtual void firstShown() {}
    void closeEvent(QCloseEvent* event) override;

private:
    bool closingByCode_ = false;
    bool shownOnce_ = false;
    std::function<void()> unloaded_;
};

// The single instance of a window class, loaded on first use. Form must derive
// from VbForm and have a default constructor and a Form_Load().
template <class Form>
class FormInstance {
public:
    static Form& get()
    {
        if (!instance_) {
            instance_ = new Form;
            instance_->setUnloadedCallback([] { instance_ = nullptr; });
            instance_->Form_Load();
        }
        return *instance_;
    }
    static bool isLoaded() { return instance_ != nullptr; }
    static Form* ifLoaded() { return instance_; }
    static void unload()
    {
        if (instance_)
            instance_->unloadByCode();
    }

private:
    static inline Form* instance_ = nullptr;
};

// Shows a window modeless and brings it to the front with the focus.
void showInFront(QWidget* window);

// Marks the desktop session as ending: windows closed from now on get
// UnloadMode::BySystem.
void setSessionEnding(bool ending);

// Ends the program. Tests replace the ender so that nothing quits.
void endProgram();
void setProgramEnder(std::function<void()> ender);

}  // namespace platform
