#pragma once

#include "platform/fs_error.h"

#include <QListWidget>

#include <functional>

namespace platform {

// A folder list: the current folder with every folder above it, then its
// subfolders (ordinary folders only, never a link). Opening an entry (double
// click or Enter) makes it the current folder. Whenever the current folder
// changes, by the user or by code, the change handler runs.
class DirListBox : public QListWidget {
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // Makes folder the current one and reads it again, also when it already
    // was. A missing folder fails with 76 and changes nothing.
    FsError setPath(const QString& folder);

    // The folder an entry stands for.
    QString folderAt(int row) const;
    // Opens an entry, as a double click does.
    void openEntry(int row);

    void onChange(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void fill();

    QString path_;
    std::function<void()> changed_;
};

}  // namespace platform
