#include "platform/vb_form.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace platform {

namespace {
bool sessionEnding = false;

std::function<void()>& programEnder()
{
    static std::function<void()> ender = [] { QCoreApplication::exit(0); };
    return ender;
}
}  // namespace

VbForm::VbForm(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void VbForm::setVisible(bool visible)
{
    if (visible && !shownOnce_) {
        shownOnce_ = true;
        firstShown();
    }
    QWidget::setVisible(visible);
}

void VbForm::unloadByCode()
{
    closingByCode_ = true;
    close();
}

void VbForm::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}

void VbForm::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    const int mode = sessionEnding ? UnloadMode::BySystem
                     : closingByCode_ ? UnloadMode::ByCode
                                      : UnloadMode::ByUser;
    Form_QueryUnload(cancel, mode);
    closingByCode_ = false;
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    if (unloaded_) {
        auto callback = std::move(unloaded_);
        unloaded_ = nullptr;
        callback();
    }
}

void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void setSessionEnding(bool ending)
{
    sessionEnding = ending;
}

void endProgram()
{
    programEnder()();
}

void setProgramEnder(std::function<void()> ender)
{
    programEnder() = std::move(ender);
}

}  // namespace platform
