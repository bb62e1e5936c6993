#include "platform/folder_handle.h"

#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {

namespace {

FsError injected(FileOperation operation, const QString& path)
{
    const int number = takeInjectedFault(operation, path);
    return number ? makeError(number, path) : FsError{};
}

void classify(DirEntry& entry, mode_t mode)
{
    entry.isLink = S_ISLNK(mode);
    entry.isDirectory = S_ISDIR(mode);
    entry.isSystem = S_ISSOCK(mode) || S_ISFIFO(mode) || S_ISCHR(mode) || S_ISBLK(mode);
}

bool classifyByType(DirEntry& entry, unsigned char type)
{
    switch (type) {
    case DT_REG: return true;
    case DT_DIR: entry.isDirectory = true; return true;
    case DT_LNK: entry.isLink = true; return true;
    case DT_SOCK:
    case DT_FIFO:
    case DT_CHR:
    case DT_BLK: entry.isSystem = true; return true;
    default: return false;
    }
}

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// The device of the open folder fd where its file system lists each entry's
// own inode number; 0 elsewhere: FAT numbers an entry anew at each listing,
// FUSE often gives one number to all.
dev_t deviceListingInodes(int fd)
{
    struct statfs volume;
    struct stat folder;
    if (::fstatfs(fd, &volume) != 0 || ::fstat(fd, &folder) != 0)
        return 0;
    switch (volume.f_type) {
    case EXT4_SUPER_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC: return folder.st_dev;
    default: return 0;
    }
}

}  // namespace

namespace {

// Who the program runs as, looked up once: a removal asks for every file.
struct Credentials {
    uid_t user;
    gid_t group;
    QVector<gid_t> groups;
};

Credentials readCredentials()
{
    Credentials credentials{::geteuid(), ::getegid(), {}};
    const int count = ::getgroups(0, nullptr);
    credentials.groups.resize(count > 0 ? count : 0);
    if (count <= 0 || ::getgroups(count, credentials.groups.data()) != count)
        credentials.groups.clear();
    return credentials;
}

const Credentials& credentials()
{
    static const Credentials own = readCredentials();
    return own;
}

}  // namespace

bool isWritableByMode(const struct stat& info)
{
    const Credentials& own = credentials();
    mode_t writeBit = S_IWOTH;
    if (info.st_uid == own.user)
        writeBit = S_IWUSR;
    else if (info.st_gid == own.group || own.groups.contains(info.st_gid))
        writeBit = S_IWGRP;
    return (info.st_mode & writeBit) != 0;
}

bool isReadOnlyEntry(const struct stat& info)
{
    return !S_ISLNK(info.st_mode) && !isWritableByMode(info);
}

FsError folderRemovalError(int errnoValue, const QString& path)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR: return makeError(ErrorNumber::PathNotFound, path);
    case ENOTEMPTY:
    case EEXIST:
    case EBUSY:
    case EACCES:
    case EPERM:
    case EROFS: return makeError(ErrorNumber::PathFileAccess, path);
    default: return errorFromErrno(errnoValue, path);
    }
}

FolderHandle::~FolderHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)), identity_(other.identity_), mountId_(other.mountId_),
      mountRoot_(other.mountRoot_)
{
    other.fd_ = -1;
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        identity_ = other.identity_;
        mountId_ = other.mountId_;
        mountRoot_ = other.mountRoot_;
        other.fd_ = -1;
    }
    return *this;
}

FsError FolderHandle::open(const QString& path, FolderHandle& folder, bool followLastLink)
{
    FolderHandle opened;
    const FsError error = opened.openAt(AT_FDCWD, path, path, followLastLink ? 0 : O_NOFOLLOW);
    if (!error.failed())
        folder = std::move(opened);
    return error;
}

FsError FolderHandle::openSubfolder(const QString& name, FolderHandle& subfolder) const
{
    FolderHandle opened;
    const FsError error = opened.openAt(fd_, name, joinPath(path_, name), O_NOFOLLOW);
    if (!error.failed())
        subfolder = std::move(opened);
    return error;
}

FsError FolderHandle::openParent(FolderHandle& parent) const
{
    FolderHandle opened;
    const FsError error = opened.openAt(fd_, QStringLiteral(".."), parentOf(path_), 0);
    if (!error.failed())
        parent = std::move(opened);
    return error;
}

FsError FolderHandle::reopen(FolderHandle& same) const
{
    FolderHandle opened;
    const FsError error = opened.openAt(fd_, QStringLiteral("."), path_, 0);
    if (!error.failed())
        same = std::move(opened);
    return error;
}

QByteArray FolderHandle::realPath() const
{
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd_);
    const ssize_t length = ::readlink(link.constData(), target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size())
        return QByteArray();
    target.truncate(int(length));
    return target;
}

FsError FolderHandle::openAt(int baseFd, const QString& name, const QString& path, int flags)
{
    path_ = path;
    fd_ = ::openat(baseFd, encodeFileName(name).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags);
    if (fd_ < 0)
        return errno == ENOENT ? makeError(ErrorNumber::PathNotFound, path) : errorFromErrno(errno, path);
    struct statx info;
    if (::statx(fd_, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_MNT_ID, &info) == 0) {
        identity_ = {makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino};
        mountId_ = (info.stx_mask & STATX_MNT_ID) ? info.stx_mnt_id : 0;
        if (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
            mountRoot_ = (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) ? 1 : 0;
        return FsError{};
    }
    struct stat plain;
    if (::fstat(fd_, &plain) != 0)
        return errorFromErrno(errno, path);
    identity_ = {plain.st_dev, plain.st_ino};
    return FsError{};
}

bool FolderHandle::isOnSameVolume(const FolderHandle& other) const
{
    if (takeInjectedFault(FileOperation::MountPoint, path_))
        return false;
    return identity_.device == other.identity_.device && mountId_ == other.mountId_;
}

bool FolderHandle::isMountRoot() const
{
    if (mountRoot_ >= 0)
        return mountRoot_ == 1;
    // A kernel without the attribute: another volume above, or none (the root).
    FolderHandle parent;
    if (openParent(parent).failed())
        return false;
    return parent.identity_.device != identity_.device || parent.mountId_ != mountId_
        || parent.identity_ == identity_;
}

FsError FolderHandle::list(QVector<DirEntry>& entries) const
{
    entries.clear();
    FsError fault = injected(FileOperation::List, path_);
    if (fault.failed())
        return fault;
    // A handle of its own: reading moves the position of the folder's handle.
    const int listFd = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return errorFromErrno(errno, path_);
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        const int saved = errno;
        ::close(listFd);
        return errorFromErrno(saved, path_);
    }
    const dev_t device = deviceListingInodes(listFd);
    int readErrno = 0;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(dir);
        if (!item) {
            readErrno = errno;
            break;
        }
        const char* raw = item->d_name;
        if (isDotOrDotDot(raw))
            continue;
        DirEntry entry;
        entry.name = decodeFileName(QByteArray::fromRawData(raw, int(std::strlen(raw))));
        entry.isHidden = raw[0] == '.';
        if (device != 0) {
            entry.device = device;
            entry.inode = item->d_ino;
        }
        if (!classifyByType(entry, item->d_type)) {
            struct stat info;
            if (::fstatat(fd_, raw, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno == ENOENT)
                    continue;  // gone since it was listed
                readErrno = errno;
                break;
            }
            classify(entry, info.st_mode);
        }
        entries.append(entry);
    }
    ::closedir(dir);
    const int readFault = takeInjectedFault(FileOperation::ReadEntries, path_);
    if (readErrno != 0 || readFault != 0) {
        entries.clear();
        return readFault ? makeError(readFault, path_) : errorFromErrno(readErrno, path_);
    }
    return FsError{};
}

FsError FolderHandle::deleteFile(const DirEntry& entry, EntryScope scope) const
{
    const bool ordinary = scope == EntryScope::OrdinaryOnly;
    if (entry.isDirectory || (ordinary && !entry.isOrdinary()))
        return FsError{};
    const QString filePath = joinPath(path_, entry.name);
    FsError fault = injected(FileOperation::DeleteFile, filePath);
    if (fault.failed())
        return fault;
    const QByteArray name = encodeFileName(entry.name);
    if (ordinary) {
        struct stat info;
        if (::fstatat(fd_, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errorFromErrno(errno, filePath);
        if (S_ISDIR(info.st_mode) || isReadOnlyEntry(info))
            return makeError(ErrorNumber::PathFileAccess, filePath);
    }
    if (::unlinkat(fd_, name.constData(), 0) != 0) {
        const bool refused = errno == EACCES || errno == EPERM || errno == EBUSY || errno == EROFS;
        if (ordinary && refused)
            return makeError(ErrorNumber::PathFileAccess, filePath);
        return errorFromErrno(errno, filePath);
    }
    return FsError{};
}

FsError FolderHandle::removeSubfolder(const QString& name) const
{
    const QString folderPath = joinPath(path_, name);
    FsError fault = injected(FileOperation::RemoveFolder, folderPath);
    if (fault.failed())
        return fault;
    if (::unlinkat(fd_, encodeFileName(name).constData(), AT_REMOVEDIR) != 0)
        return folderRemovalError(errno, folderPath);
    return FsError{};
}

}  // namespace platform
