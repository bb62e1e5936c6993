#include "platform/file_system.h"

#include "platform/fault_injection.h"
#include "platform/file_descriptor.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/path_parts.h"
#include "platform/wildcard.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const QString& path)
{
    return encodeFileName(path);
}

FsError injected(FileOperation operation, const QString& path, const QString& other = QString())
{
    const int number = takeInjectedFault(operation, path, other);
    return number ? makeError(number) : FsError{};
}

// Renames within one file system without ever replacing an entry; -1 with
// errno set on failure (EXDEV: another file system).
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // No no-replace renames here: a hard link cannot replace either.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return -1;
    // Nor hard links (FAT and the like): a test, then a plain rename. Only a
    // file made in the moment between could be replaced.
    struct stat info;
    if (::lstat(to.constData(), &info) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

// A name the target's file system cannot store (FAT, exFAT) fails with EINVAL,
// or through FUSE with ENOENT although the file and the target folder are there.
FsError placementError(int errnoValue, const QString& from, const QString& to)
{
    struct stat file, folder;
    if (errnoValue == ENOENT && ::lstat(encoded(from).constData(), &file) == 0
        && ::stat(encoded(parentOf(to)).constData(), &folder) == 0 && S_ISDIR(folder.st_mode))
        return makeError(ErrorNumber::BadFileName);
    return errorFromErrno(errnoValue, to);
}

}  // namespace

FsError listFolder(const QString& folder, QVector<DirEntry>& entries)
{
    entries.clear();
    FolderHandle handle;
    const FsError error = FolderHandle::open(folder, handle);
    return error.failed() ? error : handle.list(entries);
}

FsError deleteMatchingFiles(const QString& folder, const QString& pattern, EntryScope scope)
{
    FolderHandle handle;
    FsError error = FolderHandle::open(folder, handle);
    if (error.number == ErrorNumber::PathNotFound)
        return makeError(ErrorNumber::FileNotFound);
    if (error.failed())
        return error;
    QVector<DirEntry> entries;
    error = handle.list(entries);
    if (error.failed())
        return error;
    FsError fault = injected(FileOperation::DeleteMatchingFiles, folder);
    if (fault.failed())
        return fault;
    QVector<DirEntry> matching;
    for (const DirEntry& entry : entries) {
        if (entry.isDirectory || (scope == EntryScope::OrdinaryOnly && !entry.isOrdinary()))
            continue;
        if (matchesWildcard(entry.name, pattern))
            matching.append(entry);
    }
    if (matching.isEmpty())
        return makeError(ErrorNumber::FileNotFound);
    return handle.deleteFiles(matching, scope);
}

FsError deleteFile(const QString& path)
{
    FsError fault = injected(FileOperation::DeleteFile, path);
    if (fault.failed())
        return fault;
    struct stat info;
    if (::lstat(encoded(path).constData(), &info) != 0)
        return errorFromErrno(errno, path);
    if (S_ISDIR(info.st_mode) || isReadOnlyEntry(info))
        return makeError(ErrorNumber::PathFileAccess);
    if (::unlink(encoded(path).constData()) != 0) {
        if (errno == EACCES || errno == EPERM || errno == EBUSY || errno == EROFS)
            return makeError(ErrorNumber::PathFileAccess);
        return errorFromErrno(errno, path);
    }
    return FsError{};
}

FsError removeFolder(const QString& path)
{
    FsError fault = injected(FileOperation::RemoveFolder, path);
    if (fault.failed())
        return fault;
    if (::rmdir(encoded(path).constData()) == 0)
        return FsError{};
    return folderRemovalError(errno, path);
}

FsError makeFolder(const QString& path)
{
    FsError fault = injected(FileOperation::MakeFolder, path);
    if (fault.failed())
        return fault;
    if (::mkdir(encoded(path).constData(), 0777) == 0)
        return FsError{};
    switch (errno) {
    case EEXIST: return makeError(ErrorNumber::PathFileAccess);
    case ENOENT:
    case ENOTDIR: return makeError(ErrorNumber::PathNotFound);
    default: return errorFromErrno(errno, path);
    }
}

FsError makeFolderPath(const QString& path)
{
    if (path.isEmpty())
        return makeError(ErrorNumber::PathNotFound);
    if (folderExists(path))
        return FsError{};
    const QString parent = parentOf(path);
    if (parent != path && !folderExists(parent)) {
        FsError error = makeFolderPath(parent);
        if (error.failed())
            return error;
    }
    FsError error = makeFolder(path);
    if (error.number == ErrorNumber::PathFileAccess && folderExists(path))
        return FsError{};
    return error;
}

bool fileExists(const QString& path)
{
    if (nameOf(path).startsWith(QLatin1Char('.')))
        return false;
    struct stat info;
    if (::lstat(encoded(path).constData(), &info) != 0)
        return false;
    if (S_ISLNK(info.st_mode) && ::stat(encoded(path).constData(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode);
}

QVector<qint64> fileSizes(const QString& folder, const QStringList& names)
{
    QVector<qint64> sizes(names.size(), 0);
    // Looked up from the folder once, not along the whole path for every name.
    const FileDescriptor folderFd(::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0)
        return sizes;
    for (int i = 0; i < names.size(); ++i) {
        struct stat info;
        if (::fstatat(folderFd.get(), encoded(names.at(i)).constData(), &info, 0) == 0 && S_ISREG(info.st_mode))
            sizes[i] = info.st_size;
    }
    return sizes;
}

bool folderExists(const QString& path)
{
    struct stat info;
    return !path.isEmpty() && ::stat(encoded(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isLink(const QString& path)
{
    QString entry = path;
    while (entry.size() > 1 && entry.endsWith(QLatin1Char('/')))
        entry.chop(1);
    struct stat info;
    return ::lstat(encoded(entry).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool pathExists(const QString& path)
{
    struct stat info;
    return ::lstat(encoded(path).constData(), &info) == 0;
}

bool isReadOnly(const QString& path)
{
    struct stat info;
    return ::lstat(encoded(path).constData(), &info) == 0 && isReadOnlyEntry(info);
}

bool isDeletableFile(const QString& path)
{
    struct statx file, folder;
    if (::statx(AT_FDCWD, encoded(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &file) != 0)
        return true;  // the deletion itself reports what is missing
    const QByteArray parent = encoded(parentOf(path));
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

FsError renameFile(const QString& from, const QString& to)
{
    FsError fault = injected(FileOperation::Rename, from, to);
    if (fault.failed())
        return fault;
    if (renameNoReplace(encoded(from), encoded(to)) == 0)
        return FsError{};
    return errno == EXDEV ? makeError(ErrorNumber::OtherVolume) : placementError(errno, from, to);
}

FsError replaceFile(const QString& from, const QString& to)
{
    FsError fault = injected(FileOperation::Replace, from, to);
    if (fault.failed())
        return fault;
    if (isReadOnly(to))
        return makeError(ErrorNumber::PathFileAccess);
    if (::rename(encoded(from).constData(), encoded(to).constData()) == 0)
        return FsError{};
    return errno == EXDEV ? makeError(ErrorNumber::OtherVolume) : placementError(errno, from, to);
}

namespace {

FsError flushThrough(const QString& folder, int (*flush)(int))
{
    FsError fault = injected(FileOperation::Flush, folder);
    if (fault.failed())
        return fault;
    FileDescriptor dir(::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return errorFromErrno(errno, folder);
    if (flush(dir.get()) != 0)
        return errorFromErrno(errno, folder);
    return FsError{};
}

}  // namespace

FsError flushFolder(const QString& folder)
{
    return flushThrough(folder, ::fsync);
}

FsError flushFileSystem(const QString& folder)
{
    return flushThrough(folder, ::syncfs);
}

FileSystemMatch compareFileSystems(const QString& folder, const QString& otherFolder)
{
    struct statx first, second;
    constexpr unsigned Wanted = STATX_INO | STATX_MNT_ID;
    if (::statx(AT_FDCWD, encoded(folder).constData(), 0, Wanted, &first) != 0
        || ::statx(AT_FDCWD, encoded(otherFolder).constData(), 0, Wanted, &second) != 0)
        return FileSystemMatch::Unknown;
    const bool sameDevice = first.stx_dev_major == second.stx_dev_major && first.stx_dev_minor == second.stx_dev_minor;
    const bool mountsKnown = (first.stx_mask & second.stx_mask & STATX_MNT_ID) != 0;
    return sameDevice && (!mountsKnown || first.stx_mnt_id == second.stx_mnt_id) ? FileSystemMatch::Same
                                                                                 : FileSystemMatch::Different;
}

bool isSameFile(const QString& a, const QString& b)
{
    struct stat first, second;
    return ::stat(encoded(a).constData(), &first) == 0 && ::stat(encoded(b).constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace platform
