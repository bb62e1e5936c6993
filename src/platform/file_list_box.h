#pragma once

#include "platform/fs_error.h"

#include <QHash>
#include <QListWidget>
#include <QPair>
#include <QSet>
#include <QVector>

namespace platform {

struct DirEntry;

// The file list of a folder: ordinary files only (no folders, hidden or
// system entries), filtered by a wildcard pattern ("*.*" by default, several
// patterns separated by ";"), sorted by name ignoring case, with extended
// multi-selection. Each row shows the readable form of its file's name and
// keeps the exact name (NameRole, where it differs), which is what every
// operation uses.
class FileListBox : public QListWidget {
public:
    static constexpr int NameRole = Qt::UserRole;

    explicit FileListBox(QWidget* parent = nullptr);

    // Points the list at folder and re-reads it; another folder starts with
    // nothing selected. A missing folder fails with 76 and leaves the list as it was.
    FsError setPath(const QString& folder);
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

    int listCount() const { return count(); }
    // The exact name of a row.
    QString entry(int index) const;
    // Exact names of the selected rows, top to bottom, and of every row.
    QStringList selectedEntries() const;
    QStringList entries() const;
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    int selectedCount() const;

private:
    // A file whatever its name: (device, inode).
    using FileIdentity = QPair<quint64, quint64>;

    // Fills the list from a reading of the folder, sorted, keeping the selection.
    void showEntries(const QVector<DirEntry>& entries);
    // The names of the selected rows that stay selected through a new reading;
    // dropped tells whether any does not.
    QSet<QString> keptSelection(bool& dropped);

    QString path_;
    QHash<QString, FileIdentity> notedFiles_;
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace platform
