#include "platform/file_list_box.h"

#include "platform/file_name_codec.h"
#include "platform/name_list_model.h"
#include "platform/wildcard.h"

#include <algorithm>
#include <functional>

namespace platform {

FileListBox::FileListBox(QWidget* parent) : QListView(parent), names_(new NameListModel(this))
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setModel(names_);
}

FsError FileListBox::setPath(const QString& folder)
{
    FileListReading reading;
    const FsError error = readFileList(folder, pattern_, lastReading_, reading);
    if (error.failed())
        return error;
    // Names chosen in one folder must not pick files in another.
    if (folder != path_) {
        clearSelection();
        notedFiles_.clear();
    }
    path_ = folder;
    showReading(reading);
    return FsError{};
}

void FileListBox::setPathAs(const FileListBox& other)
{
    if (other.pattern_ != pattern_ || other.path_.isEmpty()) {
        setPath(other.path_);
        return;
    }
    if (other.path_ != path_) {
        clearSelection();
        notedFiles_.clear();
    }
    path_ = other.path_;
    showReading(other.lastReading_);
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    refresh();
}

void FileListBox::refresh()
{
    FileListReading reading;
    // A folder that cannot be read any more shows as empty.
    if (!path_.isEmpty() && readFileList(path_, pattern_, lastReading_, reading).failed())
        reading = FileListReading{};
    showReading(reading);
}

void FileListBox::noteSelectedFiles()
{
    notedFiles_.note(path_, selectedEntries(), listCount());
}

void FileListBox::appendEntries(const QStringList& names)
{
    QStringList shown;
    for (const QString& name : names) {
        if (!name.startsWith(QLatin1Char('.')) && matchesWildcard(readableFileName(name), pattern_))
            shown.append(name);
    }
    names_->appendNames(shown);
    // New rows leave the list unlaid until the event loop comes round:
    // painted before that, as during a run, it would show blank.
    executeDelayedItemsLayout();
}

void FileListBox::showReading(const FileListReading& reading)
{
    lastReading_.names = reading.names;
    lastReading_.rowsInListingOrder = reading.rowsInListingOrder;
    // A folder read again unchanged keeps its rows, and their selection, as they stand.
    const bool unchanged = reading.names == names_->names();
    if (unchanged && notedFiles_.isEmpty())
        return;
    const QStringList selected = selectedEntries();
    const QSet<QString> kept = notedFiles_.kept(path_, selected, reading);
    QVector<int> rows;
    if (unchanged) {
        if (kept.size() == selected.size())
            return;
        for (const int row : selectedRows())
            if (!kept.contains(entry(row)))
                rows.append(row);
        selectionModel()->select(rowSelection(names_, rows), QItemSelectionModel::Deselect);
        return;
    }
    names_->setNames(reading.names);
    // Laid out now, before the selection: painted while a run keeps the event
    // loop away, the list would otherwise show blank, and the layout looks
    // every row up among the selected ones.
    executeDelayedItemsLayout();
    for (int row = 0; row < reading.names.size() && !kept.isEmpty(); ++row)
        if (kept.contains(reading.names.at(row)))
            rows.append(row);
    selectionModel()->select(rowSelection(names_, rows), QItemSelectionModel::Select);
}

int FileListBox::listCount() const
{
    return int(names_->names().size());
}

QString FileListBox::entry(int index) const
{
    return names_->names().value(index);
}

QVector<int> FileListBox::selectedRows() const
{
    QVector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    // Ranges come in the order they were selected, and may overlap.
    if (std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<int>()) != rows.end()) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return rows;
}

QStringList FileListBox::selectedEntries() const
{
    const QVector<int> rows = selectedRows();
    if (rows.size() == listCount())
        return entries();
    QStringList names;
    names.reserve(rows.size());
    for (const int row : rows)
        names.append(entry(row));
    return names;
}

const QStringList& FileListBox::entries() const
{
    return names_->names();
}

bool FileListBox::isSelected(int index) const
{
    return selectionModel()->isSelected(names_->index(index));
}

void FileListBox::setSelected(int index, bool selected)
{
    const QModelIndex row = names_->index(index);
    if (row.isValid())
        selectionModel()->select(row, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int FileListBox::selectedCount() const
{
    return int(selectedRows().size());
}

void FileListBox::scrollToRow(int index)
{
    scrollTo(names_->index(index));
}

}  // namespace platform
