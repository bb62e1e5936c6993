#include "platform/file_system.h"

#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/wildcard.h"

#include <QRandomGenerator>
#include <QStorageInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const QString& path)
{
    return encodeFileName(path);
}

QString parentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

FsError injected(FileOperation operation, const QString& path, const QString& other = QString())
{
    const int number = takeInjectedFault(operation, path, other);
    return number ? makeError(number) : FsError{};
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

FsError copyData(int in, int out, int injectedNumber)
{
    constexpr size_t chunk = 8 * 1024 * 1024;
    // In the kernel where it can: within one file system copy_file_range,
    // across them sendfile, through a buffer only where neither works.
    enum class Way { CopyRange, SendFile, Buffer } way = Way::CopyRange;
    QByteArray buffer;
    for (;;) {
        ssize_t copied;
        if (way == Way::CopyRange) {
            copied = ::copy_file_range(in, nullptr, out, nullptr, chunk, 0);
            if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL
                               || errno == EOPNOTSUPP || errno == EPERM)) {
                way = Way::SendFile;
                continue;
            }
        } else if (way == Way::SendFile) {
            copied = ::sendfile(out, in, nullptr, chunk);
            if (copied < 0 && (errno == EINVAL || errno == ENOSYS)) {
                way = Way::Buffer;
                buffer.resize(1024 * 1024);
                continue;
            }
        } else {
            copied = ::read(in, buffer.data(), size_t(buffer.size()));
            if (copied > 0) {
                const char* data = buffer.constData();
                ssize_t left = copied;
                while (left > 0) {
                    const ssize_t written = ::write(out, data, size_t(left));
                    if (written < 0) {
                        if (errno == EINTR)
                            continue;
                        return errorFromErrno(errno, QString());
                    }
                    data += written;
                    left -= written;
                }
            }
        }
        if (copied < 0) {
            if (errno == EINTR)
                continue;
            return errorFromErrno(errno, QString());
        }
        if (injectedNumber)
            return makeError(injectedNumber);
        if (copied == 0)
            return FsError{};
    }
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

QString placementAccount;
int placementAccountFd = -1;  // open from the first note to the next change of account

void closePlacementAccount()
{
    if (placementAccountFd >= 0)
        ::close(placementAccountFd);
    placementAccountFd = -1;
}

const QString TemporaryPrefix = QStringLiteral(".velda-");
const QString PartSuffix = QStringLiteral(".part");
const QString HoldSuffix = QStringLiteral(".hold");

bool isTemporaryName(const QString& name, const QString& suffix)
{
    return name.startsWith(TemporaryPrefix) && name.endsWith(suffix);
}

// Places from at to on another file system: a flushed copy under a hidden
// temporary name in the target folder first, then one rename into place, so
// the target never holds a partial file.
FsError moveAcrossFileSystems(const QString& from, const QString& to, bool replace)
{
    const QString temporary = partPathBeside(to);
    FsError error = noteTemporaryFile(temporary);
    if (error.failed())
        return error;
    error = copyFile(from, temporary, true);
    if (error.failed())
        return error;
    const int result = replace ? ::rename(encoded(temporary).constData(), encoded(to).constData())
                               : renameNoReplace(encoded(temporary), encoded(to));
    if (result != 0) {
        error = placementError(errno, temporary, to);
        ::unlink(encoded(temporary).constData());
        return error;
    }
    flushFolder(parentOf(to));
    // The file is placed; a source that cannot be deleted merely stays behind.
    ::unlink(encoded(from).constData());
    return FsError{};
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
    struct stat folder, file;
    if (::lstat(encoded(path).constData(), &file) != 0)
        return true;  // the deletion itself reports what is missing
    if (isReadOnlyEntry(file))
        return false;
    if (::stat(encoded(parentOf(path)).constData(), &folder) != 0)
        return true;
    if (!isWritableByMode(folder))
        return false;
    const uid_t user = ::geteuid();
    return !(folder.st_mode & S_ISVTX) || user == 0 || user == file.st_uid || user == folder.st_uid;
}

FsError copyFile(const QString& from, const QString& to, bool flushToDisk)
{
    const int injectedNumber = takeInjectedFault(FileOperation::Copy, from, to);
    FileDescriptor in(::open(encoded(from).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errorFromErrno(errno, from);
    struct stat info;
    if (::fstat(in.get(), &info) != 0)
        return errorFromErrno(errno, from);
    if (S_ISDIR(info.st_mode))
        return makeError(ErrorNumber::PathFileAccess);

    // A staged file of an earlier run may still be there: only then is it removed.
    const QByteArray target = encoded(to);
    const auto create = [&target] { return ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); };
    int created = create();
    if (created < 0 && errno == EEXIST) {
        if (::unlink(target.constData()) != 0)
            return errorFromErrno(errno, to);
        created = create();
    }
    FileDescriptor out(created);
    if (out.get() < 0)
        return errorFromErrno(errno, to);

    FsError error = copyData(in.get(), out.get(), injectedNumber);
    if (!error.failed() && ::fchmod(out.get(), info.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID)) != 0)
        error = errorFromErrno(errno, to);
    if (!error.failed()) {
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        ::futimens(out.get(), times);
    }
    if (!error.failed() && flushToDisk && ::fsync(out.get()) != 0)
        error = errorFromErrno(errno, to);
    if (::close(out.release()) != 0 && !error.failed())
        error = errorFromErrno(errno, to);
    if (error.failed())
        ::unlink(target.constData());
    return error;
}

FsError renameFile(const QString& from, const QString& to)
{
    FsError fault = injected(FileOperation::Rename, from, to);
    if (fault.failed())
        return fault;
    if (renameNoReplace(encoded(from), encoded(to)) == 0)
        return FsError{};
    if (errno == EXDEV)
        return moveAcrossFileSystems(from, to, false);
    return placementError(errno, from, to);
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
    if (errno == EXDEV)
        return moveAcrossFileSystems(from, to, true);
    return placementError(errno, from, to);
}

QString partPathBeside(const QString& path)
{
    return joinPath(parentOf(path), TemporaryPrefix
                        + QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                        + PartSuffix);
}

void discardTemporaryFile(const QString& temporary)
{
    ::unlink(encoded(temporary).constData());
}

void setPlacementAccount(const QString& accountPath)
{
    closePlacementAccount();
    placementAccount = accountPath;
}

// Records are pairs of paths as their bytes, each ended by a NUL (a name may
// hold a line break): the temporary file and the path it came from, if any.
FsError noteTemporaryFile(const QString& temporary, const QString& originalPath)
{
    if (placementAccount.isEmpty())
        return FsError{};
    // Kept open: a run across file systems notes every file.
    if (placementAccountFd < 0)
        placementAccountFd = ::open(encoded(placementAccount).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (placementAccountFd < 0)
        return errorFromErrno(errno, placementAccount);
    const QByteArray record = encoded(temporary) + '\0' + encoded(originalPath) + '\0';
    if (::write(placementAccountFd, record.constData(), size_t(record.size())) != ssize_t(record.size())) {
        const int writeErrno = errno ? errno : ENOSPC;
        closePlacementAccount();
        return errorFromErrno(writeErrno, placementAccount);
    }
    return FsError{};
}

FsError settleUnfinishedPlacements(const QString& accountPath, QVector<QPair<QString, QString>>& restored)
{
    if (accountPath == placementAccount)
        closePlacementAccount();
    QFile account(accountPath);
    if (!account.exists())
        return FsError{};
    if (!account.open(QIODevice::ReadOnly))
        return errorFromErrno(EACCES, accountPath);
    const QList<QByteArray> fields = account.readAll().split('\0');
    account.close();
    FsError first;
    auto keep = [&first](const FsError& error) {
        if (!first.failed())
            first = error;
    };
    for (int i = 0; i + 1 < fields.size(); i += 2) {
        const QString temporary = decodeFileName(fields.at(i));
        const QString original = decodeFileName(fields.at(i + 1));
        const QString name = nameOf(temporary);
        struct stat info;
        if (::lstat(fields.at(i).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (isTemporaryName(name, PartSuffix)) {
            if (::unlink(fields.at(i).constData()) != 0)
                keep(errorFromErrno(errno, temporary));
        } else if (isTemporaryName(name, HoldSuffix) && !original.isEmpty()) {
            const QString target = firstFreePath(original);
            const FsError error = renameFile(temporary, target);
            if (error.failed())
                keep(error);
            else
                restored.append({original, target});
        }
    }
    if (::unlink(encoded(accountPath).constData()) != 0)
        keep(errorFromErrno(errno, accountPath));
    return first;
}

QString firstFreePath(const QString& path)
{
    if (!pathExists(path))
        return path;
    const QString folder = parentOf(path);
    const QString name = nameOf(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int n = 2;; ++n) {
        const QString candidate = joinPath(folder, stem + QStringLiteral(" (%1)").arg(n) + extension);
        if (!pathExists(candidate))
            return candidate;
    }
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
    struct stat first, second;
    if (::stat(encoded(folder).constData(), &first) != 0 || ::stat(encoded(otherFolder).constData(), &second) != 0)
        return FileSystemMatch::Unknown;
    return first.st_dev == second.st_dev ? FileSystemMatch::Same : FileSystemMatch::Different;
}

bool isSameFile(const QString& a, const QString& b)
{
    struct stat first, second;
    return ::stat(encoded(a).constData(), &first) == 0 && ::stat(encoded(b).constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int maxFileNameBytes(const QString& folder)
{
    const long limit = ::pathconf(encoded(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? int(limit) : NAME_MAX;
}

bool storesFatNamesOnly(const QString& folder)
{
    constexpr long MsdosMagic = 0x4d44;
    constexpr long ExfatMagic = 0x2011BAB0;
    constexpr long FuseMagic = 0x65735546;
    struct statfs info;
    if (::statfs(encoded(folder).constData(), &info) != 0)
        return false;
    const long type = long(info.f_type);
    if (type == MsdosMagic || type == ExfatMagic)
        return true;
    if (type != FuseMagic)
        return false;
    // FUSE drivers of removable disks mount as "fuseblk" (exFAT, and NTFS,
    // which Windows reads under the same name rules).
    const QByteArray mounted = QStorageInfo(folder).fileSystemType();
    return mounted == "fuseblk" || mounted.contains("exfat") || mounted.contains("fat");
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace platform
