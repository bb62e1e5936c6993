#include "main_window/frm_marlow.h"

#include "main_window/dropped_paths.h"
#include "platform/vb_look.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QSet>

#include <functional>

namespace {

// Takes drops of files and folders for one control; any other drag (text
// from an editor) is left to the control itself.
class PathDropTarget : public QObject {
public:
    using Test = std::function<bool(const QStringList&)>;
    using Take = std::function<void(const QStringList&)>;

    PathDropTarget(QAbstractScrollArea* control, Test accepts, Take take)
        : QObject(control), accepts_(std::move(accepts)), take_(std::move(take))
    {
        control->viewport()->setAcceptDrops(true);
        control->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        if (type == QEvent::DragEnter)
            accepted_ = accepts_(DroppedPaths::localPaths(drop->mimeData()));
        // Copy or link, never move: a file manager must not delete what it dragged here.
        const Qt::DropAction action = (drop->possibleActions() & Qt::CopyAction) ? Qt::CopyAction : Qt::LinkAction;
        if (!accepted_ || !(drop->possibleActions() & action)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(action);
        drop->accept();
        if (type == QEvent::Drop)
            take_(DroppedPaths::localPaths(drop->mimeData()));
        return true;
    }

private:
    Test accepts_;
    Take take_;
    bool accepted_ = false;
};

}  // namespace

void frmMarlow::acceptDrops()
{
    for (int field : {1, 2}) {
        new PathDropTarget(
            Text1.at<QAbstractScrollArea>(field),
            [](const QStringList& paths) { return !DroppedPaths::folderOf(paths).isEmpty(); },
            [this, field](const QStringList& paths) { folderDropped(field, DroppedPaths::folderOf(paths)); });
    }
    new PathDropTarget(
        fileList(0), [this](const QStringList& paths) { return !DroppedPaths::namesIn(paths, fileList(0)->path()).isEmpty(); },
        [this](const QStringList& paths) { filesDropped(DroppedPaths::namesIn(paths, fileList(0)->path())); });
}

void frmMarlow::folderDropped(int Index, const QString& folder)
{
    activateWindow();
    setText1(Index, folder);
    applyFolderField(Index);
}

void frmMarlow::filesDropped(const QStringList& names)
{
    activateWindow();
    platform::FileListBox* list = fileList(0);
    const QSet<QString> dropped(names.begin(), names.end());
    list->clearSelection();
    int first = -1;
    for (int row = 0; row < list->listCount(); ++row) {
        if (!dropped.contains(list->entry(row)))
            continue;
        list->setSelected(row, true);
        if (first < 0)
            first = row;
    }
    if (first >= 0)
        list->scrollToRow(first);
}
