#pragma once

#include <QSize>
#include <QString>

class QWidget;

// What the rule windows ask of the main window, which stands beside them and
// holds the rules they feed. The main window implements it; while one is
// built, the rule windows reach it through RuleWindow.
class RuleWindowHost {
public:
    virtual const QWidget& hostWindow() const = 0;
    // Writes into the status line.
    virtual void showHint(const QString& hint) = 0;
    virtual void focusCopyButton() = 0;
    // The user closed a rule window: that kind of rule goes back to rule 0.
    virtual void nameWindowClosed() = 0;
    virtual void extensionWindowClosed() = 0;

    RuleWindowHost(const RuleWindowHost&) = delete;
    RuleWindowHost& operator=(const RuleWindowHost&) = delete;

protected:
    RuleWindowHost();
    ~RuleWindowHost();
};

// What the two rule windows share: their ties to the main window, which do
// nothing while no main window is built.
namespace RuleWindow {

RuleWindowHost* host();
void showHint(const QString& hint);
void focusCopyButton();
// Outer size of a window in twips, its title bar and border included.
QSize outerSizeTwips(const QWidget& window);
// The main window's, or empty without one.
QSize mainWindowSizeTwips();
QSize screenSizeTwips();
// Moves a window to a place given in twips.
void moveToTwips(QWidget& window, double left, double top);

}  // namespace RuleWindow
