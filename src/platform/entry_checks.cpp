// What is at a path: whether it exists, as what, and whether it may be deleted.
#include "platform/file_system.h"

#include "platform/file_descriptor.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/path_parts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

bool fileExists(const QString& path)
{
    if (nameOf(path).startsWith(QLatin1Char('.')))
        return false;
    struct stat info;
    if (::lstat(encodeFileName(path).constData(), &info) != 0)
        return false;
    if (S_ISLNK(info.st_mode) && ::stat(encodeFileName(path).constData(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode);
}

QVector<qint64> fileSizes(const QString& folder, const QStringList& names)
{
    QVector<qint64> sizes(names.size(), 0);
    // Looked up from the folder once, not along the whole path for every name.
    const FileDescriptor folderFd(::open(encodeFileName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0)
        return sizes;
    for (int i = 0; i < names.size(); ++i) {
        struct stat info;
        if (::fstatat(folderFd.get(), encodeFileName(names.at(i)).constData(), &info, 0) == 0 && S_ISREG(info.st_mode))
            sizes[i] = info.st_size;
    }
    return sizes;
}

bool folderExists(const QString& path)
{
    struct stat info;
    return !path.isEmpty() && ::stat(encodeFileName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isLink(const QString& path)
{
    struct stat info;
    return ::lstat(encodeFileName(withoutTrailingSeparators(path)).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool pathExists(const QString& path)
{
    // Asked of the file system itself: FUSE remembers for a while a name that
    // another spelling of it took away (exFAT), and would tell it is still there.
    struct statx info;
    return ::statx(AT_FDCWD, encodeFileName(path).constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, STATX_TYPE,
                   &info)
        == 0;
}

bool isReadOnly(const QString& path)
{
    struct stat info;
    return ::lstat(encodeFileName(path).constData(), &info) == 0 && isReadOnlyEntry(info);
}

bool isDeletableFile(const QString& path)
{
    struct statx file, folder;
    if (::statx(AT_FDCWD, encodeFileName(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &file) != 0)
        return true;  // the deletion itself reports what is missing
    const QByteArray parent = encodeFileName(parentOf(path));
    if (::statx(AT_FDCWD, parent.constData(), 0, STATX_BASIC_STATS, &folder) != 0)
        return true;
    // Refusals the permission bits do not show.
    constexpr quint64 Unremovable = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
    if ((file.stx_attributes & file.stx_attributes_mask & Unremovable)
        || (folder.stx_attributes & folder.stx_attributes_mask & Unremovable))
        return false;
    struct statvfs volume;
    if (::statvfs(parent.constData(), &volume) == 0 && (volume.f_flag & ST_RDONLY))
        return false;
    struct stat fileModes {}, folderModes {};
    fileModes.st_mode = file.stx_mode, fileModes.st_uid = file.stx_uid, fileModes.st_gid = file.stx_gid;
    folderModes.st_mode = folder.stx_mode, folderModes.st_uid = folder.stx_uid, folderModes.st_gid = folder.stx_gid;
    if (isReadOnlyEntry(fileModes) || !isWritableByMode(folderModes))
        return false;
    const uid_t user = ::geteuid();
    return !(folder.stx_mode & S_ISVTX) || user == 0 || user == file.stx_uid || user == folder.stx_uid;
}

}  // namespace platform
