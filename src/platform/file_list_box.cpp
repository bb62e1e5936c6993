#include "platform/file_list_box.h"

#include "platform/file_name_codec.h"
#include "platform/folded_name.h"
#include "platform/file_system.h"
#include "platform/wildcard.h"

#include <QItemSelection>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString exactName(const QListWidgetItem* item)
{
    const QVariant name = item->data(FileListBox::NameRole);
    return name.isValid() ? name.toString() : item->text();
}

// A folder whose entries are looked up by name: no path to walk per entry.
class OpenFolder {
public:
    explicit OpenFolder(const QString& path)
        : fd_(::open(encodeFileName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~OpenFolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // (device, inode) of the entry name, a link itself; zeros when it is gone.
    QPair<quint64, quint64> identityOf(const QString& name) const
    {
        struct stat info;
        if (fd_ < 0 || ::fstatat(fd_, encodeFileName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return {0, 0};
        return {quint64(info.st_dev), quint64(info.st_ino)};
    }

private:
    int fd_;
};

}  // namespace

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
    if (folder != path_) {
        clearSelection();
        notedFiles_.clear();
    }
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

void FileListBox::noteSelectedFiles()
{
    notedFiles_.clear();
    const QList<QListWidgetItem*> selected = selectedItems();
    notedFiles_.reserve(selected.size());
    const OpenFolder folder(path_);
    for (const QListWidgetItem* row : selected) {
        const QString name = exactName(row);
        notedFiles_.insert(name, folder.identityOf(name));
    }
}

QSet<QString> FileListBox::keptSelection(bool& dropped)
{
    dropped = false;
    const QList<QListWidgetItem*> selected = selectedItems();
    QSet<QString> kept;
    kept.reserve(selected.size());
    QHash<QString, FileIdentity> stillNoted;
    const OpenFolder folder(path_);
    for (const QListWidgetItem* row : selected) {
        const QString name = exactName(row);
        const auto noted = notedFiles_.constFind(name);
        if (noted == notedFiles_.cend()) {
            kept.insert(name);
        } else if (folder.identityOf(name) == noted.value()) {
            kept.insert(name);
            stillNoted.insert(name, noted.value());
        } else {
            dropped = true;
        }
    }
    notedFiles_.swap(stillNoted);
    return kept;
}

void FileListBox::appendEntries(const QStringList& names)
{
    QStringList shownNames, exactNames;
    for (const QString& name : names) {
        const QString shown = readableFileName(name);
        if (!name.startsWith(QLatin1Char('.')) && matchesWildcard(shown, pattern_)) {
            shownNames.append(shown);
            exactNames.append(name);
        }
    }
    // Added at once: one change of the list, not one per name.
    const int first = count();
    addItems(shownNames);
    for (int i = 0; i < exactNames.size(); ++i)
        if (exactNames.at(i) != shownNames.at(i))
            item(first + i)->setData(NameRole, exactNames.at(i));
    // New rows leave the list unlaid until the event loop comes round:
    // painted before that, as during a run, it would show blank.
    executeDelayedItemsLayout();
}

void FileListBox::showEntries(const QVector<DirEntry>& entries)
{
    struct Row {
        QString shown;
        QString name;
        QString folded;  // letter case aside, folded once rather than at every comparison
    };
    QVector<Row> rows;
    rows.reserve(entries.size());
    for (const DirEntry& entry : entries) {
        if (!entry.isOrdinary() || entry.isDirectory)
            continue;
        if (entry.isLink && !fileExists(joinPath(path_, entry.name)))
            continue;
        const QString shown = readableFileName(entry.name);
        if (matchesWildcard(shown, pattern_))
            rows.append(Row{shown, entry.name, foldedName(shown)});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int order = a.folded.compare(b.folded);
        if (order != 0)
            return order < 0;
        return a.shown != b.shown ? a.shown < b.shown : a.name < b.name;
    });
    // A folder read again unchanged keeps its rows, and their selection, as they stand.
    bool unchanged = rows.size() == count();
    for (int i = 0; unchanged && i < rows.size(); ++i)
        unchanged = item(i)->text() == rows.at(i).shown && exactName(item(i)) == rows.at(i).name;
    if (unchanged && notedFiles_.isEmpty())
        return;
    bool dropped = false;
    const QSet<QString> selectedNames = keptSelection(dropped);
    if (unchanged) {
        if (dropped) {
            for (QListWidgetItem* row : selectedItems())
                row->setSelected(selectedNames.contains(exactName(row)));
        }
        return;
    }

    setUpdatesEnabled(false);
    clear();
    QStringList shownNames;
    shownNames.reserve(rows.size());
    for (const Row& row : rows)
        shownNames.append(row.shown);
    addItems(shownNames);
    // Only a name shown otherwise than it is spelt needs its exact form kept.
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).name != rows.at(i).shown)
            item(i)->setData(NameRole, rows.at(i).name);
    if (!selectedNames.isEmpty()) {
        // One selection of contiguous ranges: selecting rows one by one is
        // quadratic in the selection model.
        QItemSelection selection;
        int first = -1;
        for (int i = 0; i <= rows.size(); ++i) {
            const bool selected = i < rows.size() && selectedNames.contains(rows.at(i).name);
            if (selected && first < 0)
                first = i;
            if (!selected && first >= 0) {
                selection.select(model()->index(first, 0), model()->index(i - 1, 0));
                first = -1;
            }
        }
        selectionModel()->select(selection, QItemSelectionModel::Select);
    }
    executeDelayedItemsLayout();  // drawn at once, never blank
    setUpdatesEnabled(true);
}

QString FileListBox::entry(int index) const
{
    const QListWidgetItem* row = item(index);
    return row ? exactName(row) : QString();
}

QStringList FileListBox::selectedEntries() const
{
    QVector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QStringList names;
    names.reserve(rows.size());
    for (int row : rows)
        names.append(entry(row));
    return names;
}

QStringList FileListBox::entries() const
{
    QStringList names;
    names.reserve(count());
    for (int row = 0; row < count(); ++row)
        names.append(entry(row));
    return names;
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
