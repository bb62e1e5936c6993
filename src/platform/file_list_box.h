#pragma once

#include "platform/file_list_reading.h"
#include "platform/fs_error.h"

#include <QListView>
#include <QStringList>
#include <QVector>

namespace platform {

class NameListModel;

// The file list of a folder: ordinary files only (no folders, hidden or
// system entries), filtered by a wildcard pattern ("*.*" by default, several
// patterns separated by ";"), sorted by name ignoring case, with extended
// multi-selection. Each row shows the readable form of its file's name and
// keeps the exact name (NameRole), which is what every operation uses.
class FileListBox : public QListView {
public:
    static constexpr int NameRole = Qt::UserRole;

    explicit FileListBox(QWidget* parent = nullptr);

    // Points the list at folder and re-reads it; another folder starts with
    // nothing selected. A missing folder fails with 76 and leaves the list as it was.
    FsError setPath(const QString& folder);
    // Points the list at the folder other shows, taking other's reading of it
    // where both lists have one pattern: one folder is read once for both.
    void setPathAs(const FileListBox& other);
    QString path() const { return path_; }

    // Sets the pattern and re-reads the folder.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }

    // Re-reads the folder; entries still present keep their selection, an
    // entry noted by noteSelectedFiles only while it is still the same file.
    void refresh();
    // Notes which file each selected row names now, before a run changes the
    // folder: afterwards a row stays selected only while its name still names
    // that file, never another file the run put under the name.
    void noteSelectedFiles();
    // Shows files placed in the folder since it was read at the end of the
    // list, unsorted, until the next reading; names must not be listed yet.
    void appendEntries(const QStringList& names);

    int listCount() const;
    // The exact name of a row.
    QString entry(int index) const;
    // Exact names of the selected rows, top to bottom, and of every row.
    QStringList selectedEntries() const;
    const QStringList& entries() const;
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    int selectedCount() const;
    int currentRow() const { return currentIndex().row(); }
    void scrollToRow(int index);

private:
    // Shows a reading of the folder, keeping the selection.
    void showReading(const FileListReading& reading);
    QVector<int> selectedRows() const;

    NameListModel* names_;
    QString path_;
    FileListReading lastReading_;  // without identities: they are only of use at once
    NotedFiles notedFiles_;
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace platform
