// Renames with their fallbacks, flushes, and what tells file systems apart.
#include "platform/file_system.h"

#include "platform/fault_injection.h"
#include "platform/file_descriptor.h"
#include "platform/file_name_codec.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const QString& path)
{
    return encodeFileName(path);
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

FsError renameFile(const QString& from, const QString& to)
{
    FsError fault = injectedError(FileOperation::Rename, from, to);
    if (fault.failed())
        return fault;
    if (renameNoReplace(encoded(from), encoded(to)) == 0)
        return FsError{};
    return errno == EXDEV ? makeError(ErrorNumber::OtherVolume) : placementError(errno, from, to);
}

FsError replaceFile(const QString& from, const QString& to)
{
    FsError fault = injectedError(FileOperation::Replace, from, to);
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
    FsError fault = injectedError(FileOperation::Flush, folder);
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
