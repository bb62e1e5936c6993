#include "platform/trash_location.h"

#include "platform/file_name_codec.h"
#include "platform/path_parts.h"

#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray canonical(const QByteArray& path)
{
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved)
        return QByteArray();
    const QByteArray result(resolved);
    std::free(resolved);
    return result;
}

// A rename reaches only what lies on the same mount: the same device is not
// enough (a bind mount is another mount of it).
struct Mount {
    dev_t device = 0;
    quint64 id = 0;
    bool isRoot = false;

    bool isSameAs(const Mount& other) const { return device == other.device && id == other.id; }
};

bool mountOf(const QByteArray& path, Mount& mount)
{
    struct statx info;
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_TYPE | STATX_MNT_ID, &info) != 0)
        return false;
    mount.device = makedev(info.stx_dev_major, info.stx_dev_minor);
    mount.id = (info.stx_mask & STATX_MNT_ID) ? info.stx_mnt_id : 0;
    mount.isRoot = (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (info.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return true;
}

// The mount a folder that may not exist yet will be made on.
bool mountOfNearest(QByteArray path, Mount& mount)
{
    while (!mountOf(path, mount)) {
        if (errno != ENOENT || path == "/")
            return false;
        path = parentOf(path);
    }
    return true;
}

// Where the mount of folder is attached: the folder the kernel marks so, or
// where it does not tell, the last ancestor on the same mount.
QByteArray topFolderOf(QByteArray folder, Mount mount)
{
    while (!mount.isRoot && folder != "/") {
        const QByteArray parent = parentOf(folder);
        Mount above;
        if (!mountOf(parent, above) || !above.isSameAs(mount))
            break;
        folder = parent;
        mount = above;
    }
    return folder;
}

// A folder that the user can write in, or could make: its nearest existing
// ancestor is writable.
bool couldWriteIn(QByteArray folder)
{
    while (::access(folder.constData(), W_OK | X_OK) != 0) {
        if (errno != ENOENT || folder == "/")
            return false;
        folder = parentOf(folder);
    }
    return true;
}

bool makeTrashFolders(const QByteArray& folder)
{
    if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST)
        return true;
    return errno == ENOENT && folder != "/" && makeTrashFolders(parentOf(folder))
        && (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST);
}

bool prepareTrash(const QByteArray& trash, bool create)
{
    for (const char* part : {"files", "info"}) {
        const QByteArray folder = joinPath(trash, part);
        if (create ? !makeTrashFolders(folder) : !couldWriteIn(folder))
            return false;
    }
    return true;
}

// On a volume others use too, the user's trash folder must be a real folder
// of the user's: a link or a folder of someone else's could hand the files
// to another user.
bool isOwnTrash(const QByteArray& folder, bool create)
{
    struct stat info;
    if (::lstat(folder.constData(), &info) != 0) {
        if (errno != ENOENT)
            return false;
        if (!create)
            return prepareTrash(folder, false);
        if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (::lstat(folder.constData(), &info) != 0)
            return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && prepareTrash(folder, create);
}

bool isSharedTrash(const QByteArray& folder)
{
    struct stat info;
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX);
}

}  // namespace

FsError locateTrash(const QByteArray& folder, bool create, TrashLocation& location)
{
    location.entryFolder = canonical(folder);
    Mount mount;
    if (location.entryFolder.isEmpty() || !mountOf(location.entryFolder, mount))
        return errorFromErrno(errno, decodeFileName(folder));

    QByteArray home = encodeFileName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        + "/Trash";
    const QByteArray resolvedHome = canonical(home);
    if (!resolvedHome.isEmpty())
        home = resolvedHome;
    Mount homeMount;
    bool usable;
    if (mountOfNearest(home, homeMount) && homeMount.isSameAs(mount)) {
        location.trashFolder = home;
        location.topFolder.clear();
        usable = prepareTrash(home, create);
    } else {
        location.topFolder = topFolderOf(location.entryFolder, mount);
        const QByteArray uid = QByteArray::number(::geteuid());
        const QByteArray shared = joinPath(location.topFolder, ".Trash");
        location.trashFolder = joinPath(shared, uid);
        usable = isSharedTrash(shared) && isOwnTrash(location.trashFolder, create);
        if (!usable) {
            location.trashFolder = joinPath(location.topFolder, ".Trash-" + uid);
            usable = isOwnTrash(location.trashFolder, create);
        }
    }
    return usable ? FsError{} : makeError(ErrorNumber::PathFileAccess);
}

QByteArray entryPath(const TrashLocation& location, const QByteArray& name)
{
    return joinPath(location.entryFolder, name);
}

QByteArray recordedPath(const TrashLocation& location, const QByteArray& name)
{
    const QByteArray path = entryPath(location, name);
    if (location.topFolder.isEmpty())
        return path;
    return path.mid(location.topFolder == "/" ? 1 : location.topFolder.size() + 1);
}

}  // namespace platform
