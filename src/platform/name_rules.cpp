#include "platform/name_rules.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/folded_name.h"
#include "platform/path_parts.h"

#include <QStorageInfo>

#include <climits>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace platform {

namespace {

constexpr long Ext4Magic = 0xEF53;  // ext2, ext3 and ext4
constexpr long F2fsMagic = 0xF2F52010;
constexpr long TmpfsMagic = 0x01021994;
constexpr long XfsMagic = 0x58465342;
constexpr long BtrfsMagic = 0x9123683E;
constexpr long MsdosMagic = 0x4d44;
constexpr long ExfatMagic = 0x2011BAB0;
constexpr long FuseMagic = 0x65735546;
constexpr long SmbMagic = 0xFE534D42;
constexpr long CifsMagic = 0xFF534D42;

bool isCaseFolded(const QString& folder)
{
    const int fd = ::open(encodeFileName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool folded = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL);
    ::close(fd);
    return folded;
}

// FUSE drivers, network shares and NTFS each answer their own way, some by
// mount option: a hidden file is made and looked for in capitals.
LetterCase probedLetterCase(const QString& folder, const ProbeNote& noteProbe)
{
    const QString probe = partPathBeside(joinPath(folder, QStringLiteral("probe")));
    if (noteProbe && noteProbe(probe).failed())
        return LetterCase::Exact;
    const QByteArray bytes = encodeFileName(probe);
    const int fd = ::open(bytes.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return LetterCase::Exact;
    ::close(fd);
    const QString capitals = joinPath(parentOf(probe), nameOf(probe).toUpper());
    struct stat info;
    const bool found = ::lstat(encodeFileName(capitals).constData(), &info) == 0;
    ::unlink(bytes.constData());
    return found ? LetterCase::Ignored : LetterCase::Exact;
}

}  // namespace

int maxFileNameBytes(const QString& folder)
{
    const long limit = ::pathconf(encodeFileName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? int(limit) : NAME_MAX;
}

bool storesFatNamesOnly(const QString& folder)
{
    struct statfs info;
    if (::statfs(encodeFileName(folder).constData(), &info) != 0)
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

LetterCase letterCaseOf(const QString& folder, const ProbeNote& noteProbe)
{
    struct statfs info;
    if (::statfs(encodeFileName(folder).constData(), &info) != 0)
        return LetterCase::Exact;
    switch (long(info.f_type)) {
    case Ext4Magic:
    case F2fsMagic:
    case TmpfsMagic: return isCaseFolded(folder) ? LetterCase::Ignored : LetterCase::Exact;
    case XfsMagic:
    case BtrfsMagic: return LetterCase::Exact;
    case MsdosMagic:
    case ExfatMagic: return LetterCase::Ignored;
    default: return probedLetterCase(folder, noteProbe);
    }
}

bool keepsInodeNumbers(const QString& folder)
{
    struct statfs info;
    if (::statfs(encodeFileName(folder).constData(), &info) != 0)
        return false;
    switch (long(info.f_type)) {
    case MsdosMagic:
    case ExfatMagic:
    case FuseMagic:
    case SmbMagic:
    case CifsMagic: return false;
    default: return true;
    }
}

QString nameKey(const QString& name, LetterCase letterCase)
{
    return letterCase == LetterCase::Ignored ? foldedName(name) : name;
}

}  // namespace platform
