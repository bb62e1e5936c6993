#pragma once

#include "platform/file_identity.h"
#include "platform/fs_error.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The desktop trash, in the freedesktop.org trash format that every Linux
// desktop reads: a deleted file or folder tree lies in files/NAME of a trash
// folder, with its original path and time in info/NAME.trashinfo, and can be
// brought back. It is reached by one rename on the entry's own file system,
// never by a copy, however large a tree is.
namespace platform {

struct TrashEntry {
    QString trashFolder;
    QString name;  // of files/NAME and info/NAME.trashinfo

    QString filePath() const;
    QString infoPath() const;
};

// Told the entry reserved for a file before the file goes into it, so that a
// program killed in between can settle it; a failure leaves the file where it is.
using TrashReservation = std::function<FsError(const TrashEntry& entry)>;

// Moves path (a file, a link or a whole folder tree) into the trash of its
// own mount: its .trashinfo is made first and reserves the name, then the
// entry is renamed into files/. Fails with path left as it was: 53 when path
// now holds another file than expected, 75 when no trash can be reached, when
// path holds its own trash or a folder that another volume is mounted on, or
// when the rename is refused. Nothing is flushed to disk here.
FsError moveToTrash(const QString& path, TrashEntry& entry, const std::optional<FileStamp>& expected = std::nullopt,
                    const TrashReservation& reserved = {});

// For a file about to be replaced: a second name of it (a hard link) is put
// in the trash, so that path keeps the file until its successor takes the
// name in one rename (linked). Where the file system has no hard links, the
// file is moved into the trash instead and path is left free.
FsError keepInTrash(const QString& path, TrashEntry& entry, bool& linked, const TrashReservation& reserved = {});

// Takes back an entry that keepInTrash linked in vain: the file stays where it is.
void dropTrashLink(const TrashEntry& entry);

// Whether every one of paths can reach a trash of its own mount (a read-only
// volume, a top folder the user may not write in or another user's trash
// folder there cannot), asked once before a deletion. Nothing is made.
bool canTrash(const QStringList& paths);

// Brings entry back to originalPath by one rename and forgets its .trashinfo.
// Never replaces an existing entry (58); a trashed file that is gone fails
// with 53, a missing folder of originalPath with 76.
FsError restoreFromTrash(const TrashEntry& entry, const QString& originalPath);

}  // namespace platform
