#pragma once

#include "platform/file_system.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <sys/stat.h>

namespace platform {

// Which folder a handle holds, wherever it has been moved to since.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FolderIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator!=(const FolderIdentity& other) const { return !(*this == other); }
};

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

    // Opens a folder by its path (links on the way are followed, a link at
    // its end only with followLastLink). A missing folder fails with 76.
    static FsError open(const QString& path, FolderHandle& folder, bool followLastLink = true);
    // Opens the subfolder name of this folder; a link is not followed.
    FsError openSubfolder(const QString& name, FolderHandle& subfolder) const;
    // Opens the folder that now holds this one. After a move that is not the
    // folder this one was opened from: compare identities.
    FsError openParent(FolderHandle& parent) const;
    // A second handle on the same folder.
    FsError reopen(FolderHandle& same) const;

    const QString& path() const { return path_; }
    const FolderIdentity& identity() const { return identity_; }
    // Where the kernel has this folder now, as bytes; empty when it cannot tell.
    QByteArray realPath() const;

    // True when other lies on the same mounted volume: the same device and,
    // where the kernel tells it, the same mount (a bind mount is another one).
    bool isOnSameVolume(const FolderHandle& other) const;
    // True when a volume of any kind (a disk, a network share, a tmpfs, a bind
    // mount of a folder) is mounted right here.
    bool isMountRoot() const;

    // Entries in listing order, "." and ".." left out. An entry that cannot
    // be read is a failure, never the end of the listing.
    FsError list(QVector<DirEntry>& entries) const;

    // Deletes one entry that is not a folder; in the scope OrdinaryOnly hidden
    // and system entries stay and a read-only file fails with 75, in the scope
    // All (the program's own work folders) they go too.
    FsError deleteFile(const DirEntry& entry, EntryScope scope) const;

    // Removes the empty subfolder name, with the outcomes of removeFolder.
    FsError removeSubfolder(const QString& name) const;

private:
    FsError openAt(int baseFd, const QString& name, const QString& path, int flags);

    int fd_ = -1;
    QString path_;
    FolderIdentity identity_;
    std::uint64_t mountId_ = 0;
    int mountRoot_ = -1;  // what the kernel said; -1 when it could not tell
};

// The outcome of a failed folder removal as the program reports it.
FsError folderRemovalError(int errnoValue, const QString& path);

// Whether the permission bits let the user write the entry (the user's
// supplementary groups count); root's override is not taken into account.
bool isWritableByMode(const struct stat& info);

// A file the user may not write; root's override is not taken into account.
bool isReadOnlyEntry(const struct stat& info);

}  // namespace platform
