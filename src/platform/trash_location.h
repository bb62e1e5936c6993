#pragma once

#include "platform/fs_error.h"

#include <QByteArray>

// Which trash of the freedesktop.org trash format an entry goes to. Paths here
// are the file system's bytes.
namespace platform {

struct TrashLocation {
    QByteArray trashFolder;  // holds files/ and info/
    QByteArray entryFolder;  // the folder of the entries, its links resolved
    QByteArray topFolder;    // where the volume is mounted; empty for the home trash
};

// The trash for the entries of folder on their own mount, so that one rename
// reaches it: the home trash ($XDG_DATA_HOME/Trash) on the mount of
// $XDG_DATA_HOME, else $topdir/.Trash/$uid where $topdir/.Trash is a real
// sticky folder, else $topdir/.Trash-$uid. With create, missing trash folders
// are made (0700); without, it is only checked that they could be. No usable
// trash fails with 75.
FsError locateTrash(const QByteArray& folder, bool create, TrashLocation& location);

// The path of the entry name of the location's folder, links resolved.
QByteArray entryPath(const TrashLocation& location, const QByteArray& name);

// What an entry's .trashinfo records as its path: absolute in the home trash,
// relative to the top folder in a volume trash.
QByteArray recordedPath(const TrashLocation& location, const QByteArray& name);

}  // namespace platform
