#include "platform/file_identity.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <sys/stat.h>

namespace platform {

namespace {

bool isListed(const QVector<DirEntry>& entries, const QString& name)
{
    for (const DirEntry& entry : entries) {
        if (entry.name == name)
            return true;
    }
    return false;
}

}  // namespace

FileStamp stampOf(const struct stat& info)
{
    return FileStamp{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), qint64(info.st_mtim.tv_sec),
                     qint64(info.st_mtim.tv_nsec)};
}

FileStamp stampOf(const QString& path, FsError* lookupError)
{
    struct stat info;
    if (::lstat(encodeFileName(path).constData(), &info) == 0)
        return stampOf(info);
    if (lookupError)
        *lookupError = errorFromErrno(errno, path);
    return FileStamp{};
}

bool areTwoNamesOfOneFile(const QString& a, const QString& b)
{
    struct stat first, second;
    if (::lstat(encodeFileName(a).constData(), &first) != 0 || ::lstat(encodeFileName(b).constData(), &second) != 0
        || first.st_dev != second.st_dev || first.st_ino != second.st_ino || first.st_nlink < 2)
        return false;
    if (!isSameFile(parentOf(a), parentOf(b)))
        return true;
    // One folder: two spellings of one entry list once, two links twice.
    QVector<DirEntry> entries;
    return nameOf(a) != nameOf(b) && !listFolder(parentOf(a), entries).failed() && isListed(entries, nameOf(a))
        && isListed(entries, nameOf(b));
}

}  // namespace platform
