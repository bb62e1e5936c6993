#include "shared/progress_window.h"

#include "platform/control_array.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

ProgressWindow::ShownHook shownHook;

constexpr int BarSteps = 1000;
constexpr int NameWidthPixels = 360;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner, const QString& activity)
    : owner_(owner ? owner->window() : nullptr), activity_(activity)
{
}

ProgressWindow::~ProgressWindow()
{
    end();
}

void ProgressWindow::setShownHookForTests(ShownHook hook)
{
    shownHook = std::move(hook);
}

void ProgressWindow::begin()
{
    runWindows_.clear();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        runWindows_.append(window);
        if (window->windowHandle())
            runWindows_.append(window->windowHandle());
    }
    cancelRequested_ = false;
    running_ = true;
    // Windows that gain or lose the activation during the run (this one, a
    // message, another program) move no focus the user made.
    modalScope_ = std::make_unique<platform::ModalDialogScope>();
    qApp->installEventFilter(this);
}

bool ProgressWindow::update(const RunProgressFigures& figures, bool windowDue)
{
    if (windowDue)
        show(figures);
    // Paints what the run changed and what closed message boxes left behind;
    // input meets the filter.
    QCoreApplication::processEvents();
    if (window_ && window_->isVisible() && shownHook)
        shownHook(window_.get(), figures);
    return cancelRequested_;
}

void ProgressWindow::end()
{
    if (!running_)
        return;
    if (window_) {
        // Should the desktop have made it active, the owner is made so again
        // now, so that a focus change the run makes next is not undone later.
        const bool wasActive = window_->isActiveWindow();
        window_->hide();
        if (wasActive && owner_)
            owner_->activateWindow();
    }
    // What the user did during the run is delivered now, to the filter; the
    // focus comes back to the owner while that is not the user's doing.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    qApp->removeEventFilter(this);
    running_ = false;
    modalScope_.reset();
    window_.reset();
}

void ProgressWindow::build()
{
    window_ = std::make_unique<QDialog>(owner_);
    window_->setWindowTitle(QStringLiteral("Velda"));
    window_->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                            | Qt::MSWindowsFixedSizeDialogHint);
    // Modal through the input filter, not the toolkit's: that would swallow
    // Esc typed into the owner, and taking the activation from the owner
    // would let focus hints overwrite what the run writes at its end.
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    activityLabel_ = new QLabel(activity_);
    nameLabel_ = new QLabel;
    nameLabel_->setMinimumWidth(NameWidthPixels);
    nameLabel_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar;
    bar_->setTextVisible(false);
    filesLabel_ = new QLabel;
    bytesLabel_ = new QLabel;
    timeLeftLabel_ = new QLabel;
    cancelButton_ = new QPushButton(QStringLiteral("中止"));
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });

    auto* figures = new QHBoxLayout;
    figures->addWidget(filesLabel_);
    figures->addStretch();
    figures->addWidget(bytesLabel_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(timeLeftLabel_);
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(window_.get());
    layout->addWidget(activityLabel_);
    layout->addWidget(nameLabel_);
    layout->addWidget(bar_);
    layout->addLayout(figures);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProgressWindow::show(const RunProgressFigures& figures)
{
    if (!window_)
        build();
    const QFontMetrics metrics(nameLabel_->font());
    nameLabel_->setText(metrics.elidedText(figures.currentName, Qt::ElideMiddle, NameWidthPixels));
    filesLabel_->setText(progressFilesText(figures));
    const QString bytes = progressBytesText(figures);
    bytesLabel_->setText(bytes);
    bytesLabel_->setVisible(!bytes.isEmpty());
    timeLeftLabel_->setText(progressTimeLeftText(figures));
    if (figures.totalBytes > 0) {
        bar_->setRange(0, BarSteps);
        bar_->setValue(int(BarSteps * double(figures.bytesDone) / double(figures.totalBytes)));
    } else if (figures.totalFiles > 0) {
        bar_->setRange(0, BarSteps);
        bar_->setValue(int(BarSteps * double(figures.filesDone) / double(figures.totalFiles)));
    } else {
        bar_->setRange(0, 0);
    }
    if (!window_->isVisible()) {
        window_->show();
        window_->raise();
        cancelButton_->setFocus();
    }
}

bool ProgressWindow::insideProgressWindow(QObject* watched) const
{
    if (!window_)
        return false;
    if (watched == window_->windowHandle())
        return true;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == window_.get();
}

bool ProgressWindow::isRunWindow(const QObject* object) const
{
    return std::any_of(runWindows_.cbegin(), runWindows_.cend(),
                       [object](const QPointer<QObject>& window) { return window == object; });
}

bool ProgressWindow::meantForRunWindow(QObject* watched) const
{
    if (isRunWindow(watched))
        return true;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    // Shortcuts and actions belong to no window of their own.
    return !widget ? !qobject_cast<const QWindow*>(watched) : isRunWindow(widget->window());
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (insideProgressWindow(watched)) {
        const bool escape = type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (escape || type == QEvent::Close) {
            cancelRequested_ = true;
            event->ignore();
            return true;
        }
        return false;
    }
    if (type == QEvent::Close && event->spontaneous() && meantForRunWindow(watched)) {
        event->ignore();
        return true;
    }
    if (!isUserInput(type) || !meantForRunWindow(watched))
        return false;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && window_
        && window_->isVisible())
        cancelRequested_ = true;
    return true;
}
