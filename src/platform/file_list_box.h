#pragma once

#include "platform/fs_error.h"

#include <QListWidget>

namespace platform {

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

    // Re-reads the folder; entries still present keep their selection.
    void refresh();

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
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace platform
