#pragma once

#include "shared/run_progress.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace platform {
class ModalDialogScope;
}

// The progress window of a long run, modal to the window that started it:
// files done of all, bytes and the time left for copies, the current file's
// name, and 中止 (Esc too). While the run lasts, the program's other windows
// take no input; what the user clicks or types there is dropped, so that it
// cannot act once the run is over.
class ProgressWindow : public QObject, public RunProgressView {
public:
    // activity: what the run does, e.g. "ファイルをコピーしています…".
    ProgressWindow(QWidget* owner, const QString& activity);
    ~ProgressWindow() override;

    void begin() override;
    bool update(const RunProgressFigures& figures, bool windowDue) override;
    void end() override;

    // Test hook: called at every update while the window is shown.
    using ShownHook = std::function<void(QWidget* window, const RunProgressFigures& figures)>;
    static void setShownHookForTests(ShownHook hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void show(const RunProgressFigures& figures);
    bool isRunWindow(const QObject* object) const;
    bool meantForRunWindow(QObject* watched) const;
    bool insideProgressWindow(QObject* watched) const;

    QPointer<QWidget> owner_;
    QString activity_;
    // The windows open when the run began; windows opened during it (a
    // message of the run) take input as usual, also one that takes the place
    // of a window closed meanwhile.
    QList<QPointer<QObject>> runWindows_;
    bool running_ = false;
    bool cancelRequested_ = false;

    std::unique_ptr<QDialog> window_;
    std::unique_ptr<platform::ModalDialogScope> modalScope_;
    QLabel* activityLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* filesLabel_ = nullptr;
    QLabel* bytesLabel_ = nullptr;
    QLabel* timeLeftLabel_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
