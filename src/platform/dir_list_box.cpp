#include "platform/dir_list_box.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"

#include <QStyle>

#include <algorithm>

namespace platform {

namespace {

constexpr int FolderRole = Qt::UserRole;

// The current folder and every folder above it, the root first.
QStringList foldersDownTo(const QString& folder)
{
    QStringList chain{folder};
    QString current = folder;
    while (current != QLatin1String("/") && current.contains(QLatin1Char('/'))) {
        current = parentOf(current);
        chain.prepend(current);
    }
    return chain;
}

struct Subfolder {
    QString shown;
    QString name;
};

QVector<Subfolder> subfoldersOf(const QString& folder)
{
    QVector<DirEntry> entries;
    // A folder that cannot be read shows no subfolders.
    if (listFolder(folder, entries).failed())
        return {};
    QVector<Subfolder> subfolders;
    for (const DirEntry& entry : entries) {
        if (entry.isDirectory && entry.isOrdinary())
            subfolders.append(Subfolder{readableFileName(entry.name), entry.name});
    }
    std::sort(subfolders.begin(), subfolders.end(), [](const Subfolder& a, const Subfolder& b) {
        const int order = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        return a.shown != b.shown ? a.shown < b.shown : a.name < b.name;
    });
    return subfolders;
}

QString shownNameOf(const QString& folder)
{
    return folder == QLatin1String("/") ? folder : readableFileName(nameOf(folder));
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::activated, this, [this](const QModelIndex& index) { openEntry(index.row()); });
}

FsError DirListBox::setPath(const QString& folder)
{
    const QString cleaned = withoutTrailingSeparators(folder);
    if (!folderExists(cleaned))
        return makeError(ErrorNumber::PathNotFound, folder);
    const bool changed = cleaned != path_;
    path_ = cleaned;
    fill();
    if (changed && changed_)
        changed_();
    return FsError{};
}

QString DirListBox::folderAt(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(FolderRole).toString() : QString();
}

void DirListBox::openEntry(int row)
{
    const QString folder = folderAt(row);
    // A folder gone since it was listed is not opened.
    if (!folder.isEmpty())
        static_cast<void>(setPath(folder));
}

void DirListBox::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = foldersDownTo(path_);
    const QString indent = QStringLiteral("  ");
    int depth = 0;
    for (const QString& folder : chain) {
        auto* entry = new QListWidgetItem(open, indent.repeated(depth++) + shownNameOf(folder), this);
        entry->setData(FolderRole, folder);
    }
    setCurrentRow(count() - 1);
    for (const Subfolder& subfolder : subfoldersOf(path_)) {
        auto* entry = new QListWidgetItem(closed, indent.repeated(depth) + subfolder.shown, this);
        entry->setData(FolderRole, joinPath(path_, subfolder.name));
    }
}

}  // namespace platform
