#pragma once

#include "platform/file_system.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <sys/stat.h>

namespace platform {

// An open folder. Its entries are reached through the handle, never through a
// path, so neither the depth of a tree nor the length of its paths limits a
// walk. path() names the folder in messages and for the fault seam only.
class FolderHandle {
public:
    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // Opens a folder by its path (links on the way are followed). A missing
    // folder fails with 76.
    static FsError open(const QString& path, FolderHandle& folder);
    // Opens the subfolder name of this folder; a link is not followed.
    FsError openSubfolder(const QString& name, FolderHandle& subfolder) const;
    // Opens the folder this one was opened from by openSubfolder, so that a
    // walk holds one handle however deep it goes.
    FsError openParent(FolderHandle& parent) const;

    const QString& path() const { return path_; }

    // True when other lies on the same mounted volume: the same device and,
    // where the kernel tells it, the same mount (a bind mount is another one).
    bool isOnSameVolume(const FolderHandle& other) const;

    // Entries in listing order, "." and ".." left out. An entry that cannot
    // be read is a failure, never the end of the listing.
    FsError list(QVector<DirEntry>& entries) const;

    // Deletes the entries of this folder that are not folders, stopping at the
    // first failure; in the scope OrdinaryOnly hidden and system entries are
    // left out and a read-only file fails with 75, in the scope All (the
    // program's own work folders) they go too.
    FsError deleteFiles(const QVector<DirEntry>& entries, EntryScope scope) const;

    // Removes the empty subfolder name, with the outcomes of removeFolder.
    FsError removeSubfolder(const QString& name) const;

private:
    FsError openAt(int baseFd, const QString& name, const QString& path, int flags);

    int fd_ = -1;
    QString path_;
    std::uint64_t device_ = 0;
    std::uint64_t mountId_ = 0;
};

// The outcome of a failed folder removal as the program reports it.
FsError folderRemovalError(int errnoValue, const QString& path);

// Whether the permission bits let the user write the entry (the user's
// supplementary groups count); root's override is not taken into account.
bool isWritableByMode(const struct stat& info);

// A file the user may not write; root's override is not taken into account.
bool isReadOnlyEntry(const struct stat& info);

}  // namespace platform
