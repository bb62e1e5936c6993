#include "platform/file_list_box.h"

#include "platform/file_system.h"
#include "platform/wildcard.h"

#include <QItemSelection>
#include <QSet>

#include <algorithm>

namespace platform {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
}

FsError FileListBox::setPath(const QString& folder)
{
    if (!folderExists(folder))
        return makeError(ErrorNumber::PathNotFound);
    QVector<DirEntry> entries;
    FsError error = listFolder(folder, entries);
    if (error.failed())
        return error;
    // Names chosen in one folder must not pick files in another.
    if (folder != path_)
        clearSelection();
    path_ = folder;
    showEntries(entries);
    return FsError{};
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    refresh();
}

void FileListBox::refresh()
{
    QVector<DirEntry> entries;
    // A folder that cannot be read any more shows as empty.
    if (!path_.isEmpty() && listFolder(path_, entries).failed())
        entries.clear();
    showEntries(entries);
}

void FileListBox::appendEntries(const QStringList& names)
{
    QStringList shown;
    for (const QString& name : names) {
        if (!name.startsWith(QLatin1Char('.')) && matchesWildcard(name, pattern_))
            shown.append(name);
    }
    addItems(shown);
}

void FileListBox::showEntries(const QVector<DirEntry>& entries)
{
    QSet<QString> selectedNames;
    for (const QListWidgetItem* item : selectedItems())
        selectedNames.insert(item->text());

    QStringList names;
    for (const DirEntry& entry : entries) {
        if (!entry.isOrdinary() || entry.isDirectory)
            continue;
        if (entry.isLink && !fileExists(joinPath(path_, entry.name)))
            continue;
        if (matchesWildcard(entry.name, pattern_))
            names.append(entry.name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });

    setUpdatesEnabled(false);
    clear();
    addItems(names);
    if (!selectedNames.isEmpty()) {
        // One selection of contiguous ranges: selecting rows one by one is
        // quadratic in the selection model.
        QItemSelection selection;
        int first = -1;
        for (int i = 0; i <= names.size(); ++i) {
            const bool selected = i < names.size() && selectedNames.contains(names.at(i));
            if (selected && first < 0)
                first = i;
            if (!selected && first >= 0) {
                selection.select(model()->index(first, 0), model()->index(i - 1, 0));
                first = -1;
            }
        }
        selectionModel()->select(selection, QItemSelectionModel::Select);
    }
    setUpdatesEnabled(true);
}

QString FileListBox::entry(int index) const
{
    const QListWidgetItem* row = item(index);
    return row ? row->text() : QString();
}

bool FileListBox::isSelected(int index) const
{
    const QListWidgetItem* row = item(index);
    return row && row->isSelected();
}

void FileListBox::setSelected(int index, bool selected)
{
    if (QListWidgetItem* row = item(index))
        row->setSelected(selected);
}

int FileListBox::selectedCount() const
{
    return selectedItems().size();
}

}  // namespace platform
