#pragma once

#include "platform/file_identity.h"
#include "platform/fs_error.h"
#include "platform/path_parts.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The file-system services of the program, over POSIX. Every failure carries a
// run-time error number (see fs_error.h). Symbolic links are never followed
// when listing, deleting or removing: a link is an entry of its own. Names and
// paths are exact: bytes that are not UTF-8 travel in them as the file-name
// codec carries them (file_name_codec.h).
namespace platform {

class DataProgress;

struct DirEntry {
    QString name;              // exact; readableFileName gives what a list shows
    bool isDirectory = false;  // a real folder; a link to a folder is not one
    bool isLink = false;
    bool isHidden = false;     // the name starts with "."
    bool isSystem = false;     // socket, FIFO or device file
    // Which file the entry is, where the listing tells it as a look-up would;
    // both 0 where the file system's listing numbers files otherwise.
    quint64 device = 0;
    quint64 inode = 0;

    bool isOrdinary() const { return !isHidden && !isSystem; }
};

// Which entries a listing-based operation sees: the user's ordinary entries,
// or everything (used to empty the program's own work folders).
enum class EntryScope { OrdinaryOnly, All };

// Entries of folder in the file system's own listing order, "." and ".." left
// out. A missing folder fails with 76; an error while reading the entries is a
// failure too, never a shorter listing.
FsError listFolder(const QString& folder, QVector<DirEntry>& entries);

// Deletes one file (or link). A read-only file fails with 75.
FsError deleteFile(const QString& path);

// Removes an empty folder. A missing folder fails with 76, a non-empty one with 75.
FsError removeFolder(const QString& path);

// Makes one folder level (76 when the parent is missing, 75 when it exists).
FsError makeFolder(const QString& path);

// Makes the folder with every missing level above it; an existing folder is fine.
FsError makeFolderPath(const QString& path);

// True for an ordinary file: not hidden, not a system entry, not a folder.
// A link to an ordinary file counts as one.
bool fileExists(const QString& path);
// The sizes of the files names of folder, links followed; 0 for one that is
// missing or no file.
QVector<qint64> fileSizes(const QString& folder, const QStringList& names);
bool folderExists(const QString& path);
// True when path itself is a symbolic link (a trailing separator is ignored).
bool isLink(const QString& path);

// True when any entry, hidden or not, is at path now (a link is not followed).
bool pathExists(const QString& path);

// A file the user may not write. Root's override is not taken into account, so
// a file marked read-only is read-only for every user.
bool isReadOnly(const QString& path);

// False when path is read-only, immutable or append-only, lies on a
// read-only mount, or its folder does not let the user delete it: the folder
// is not writable, immutable or append-only, or it is sticky and the user
// owns neither the file nor the folder. As for isReadOnly, root's override of
// the permission bits is not taken into account (only the sticky rule's
// exception for root is). True when path is missing: deleting it reports that.
bool isDeletableFile(const QString& path);

// How far a copy goes to disk before copyFile returns.
enum class CopyFlush {
    None,       // left to the cache
    AsWritten,  // a file of several chunks pushed to disk as it is written, the rest left
    Durable,    // all of it on disk
};

// Copies data, permission bits and times, replacing an existing target. A
// failure removes the partial copy. copied, when given, receives the source
// as it was when the copy began; written the copy as it was made. progress,
// when given, follows the data and can stop the copy within it.
FsError copyFile(const QString& from, const QString& to, CopyFlush flush = CopyFlush::None,
                 FileStamp* copied = nullptr, FileStamp* written = nullptr, DataProgress* progress = nullptr);

// Moves a file to another path on the same mounted volume. Never replaces an
// existing entry of that name, a hidden one included (58); another volume
// fails with 74, doing nothing.
FsError renameFile(const QString& from, const QString& to);

// Moves a file over an existing one in one atomic step; a read-only target
// fails with 75, another volume with 74.
FsError replaceFile(const QString& from, const QString& to);

// True when both files hold the same bytes.
bool haveSameContent(const QString& a, const QString& b);

// Velda's own temporary files in the user's folders: a copy onto another
// file system than the staging folder's is written as a hidden
// ".velda-….part" beside its destination first; a run whose new names meet
// its own sources sets sources aside as hidden ".velda-….hold" files. The run
// keeps account of them (FileOps::RunJournal); this layer only names them.
QString partPathBeside(const QString& path);
QString holdPathBeside(const QString& path);

// Removes a temporary file no longer wanted, read-only or not. One that
// cannot be removed is settled at the next start.
void discardTemporaryFile(const QString& temporary);

// path itself when nothing is there, else the first free "name (n).ext", n = 2, 3, ...,
// the end of the name before the extension given up where the whole would
// not fit the file system's limit on names.
QString firstFreePath(const QString& path);

// Makes everything written to the file system that holds folder durable, in
// one step however many files were written.
FsError flushFileSystem(const QString& folder);

// Whether two folders are on one mounted volume (a bind mount is another one,
// where renames cannot pass); Unknown when either is missing.
enum class FileSystemMatch { Same, Different, Unknown };
FileSystemMatch compareFileSystems(const QString& folder, const QString& otherFolder);

// True when both paths name the same existing file.
bool isSameFile(const QString& a, const QString& b);

}  // namespace platform
