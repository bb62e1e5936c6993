#include "platform/trash.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/mount_points.h"
#include "platform/path_parts.h"
#include "platform/trash_location.h"

#include <QDateTime>
#include <QHash>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray InfoSuffix(".trashinfo");
constexpr int MostNumberedNames = 100000;

// A folder cannot go into a trash that lies inside it.
bool holdsTrash(const TrashLocation& location, const QByteArray& name)
{
    const QByteArray path = entryPath(location, name);
    return location.trashFolder == path || location.trashFolder.startsWith(path + '/');
}

// NAME, else NAME.2, NAME.3 ... with the number before the extension
// ("photo.2.jpg"), so that the trash still tells the file's type; shortened
// where info/NAME.trashinfo would be too long a name.
QByteArray trashName(const QByteArray& name, int number, int limit)
{
    const int dot = name.lastIndexOf('.');
    QByteArray stem = dot > 0 ? name.left(dot) : name;
    QByteArray extension = dot > 0 ? name.mid(dot) : QByteArray();
    const QByteArray counter = number > 1 ? '.' + QByteArray::number(number) : QByteArray();
    int room = limit - InfoSuffix.size() - counter.size() - extension.size();
    if (room < 1) {
        stem += extension;
        extension.clear();
        room = limit - InfoSuffix.size() - counter.size();
    }
    if (stem.size() > room) {
        // Not inside a UTF-8 sequence.
        int cut = room;
        while (cut > room - 3 && cut > 1 && (uchar(stem.at(cut)) & 0xC0) == 0x80)
            --cut;
        stem.truncate(cut);
    }
    return stem + counter + extension;
}

QByteArray trashInfo(const QByteArray& recorded)
{
    return "[Trash Info]\nPath=" + recorded.toPercentEncoding("/") + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + '\n';
}

// Makes the .trashinfo exclusively: it reserves its name against every other
// program trashing at the same time. 0 or an errno (EEXIST: the name is taken).
int reserveName(const QByteArray& infoPath, const QByteArray& text)
{
    const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const ssize_t written = ::write(fd, text.constData(), size_t(text.size()));
    int failure = written == text.size() ? 0 : written < 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure != 0)
        ::unlink(infoPath.constData());
    return failure;
}

// 0 or an errno. Where the file system has no no-replace rename, a look
// first: only an entry made in the moment between could be replaced.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    struct stat info;
    if (::lstat(to.constData(), &info) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// As a deletion reports it: what may not be removed or moved is 75.
FsError removalError(int errnoValue, const QString& path)
{
    switch (errnoValue) {
    case EACCES:
    case EPERM:
    case EBUSY:
    case EROFS:
    case EXDEV:
    case EINVAL: return makeError(ErrorNumber::PathFileAccess, path);
    default: return errorFromErrno(errnoValue, path);
    }
}

}  // namespace

QString TrashEntry::filePath() const
{
    return trashFolder + QStringLiteral("/files/") + name;
}

QString TrashEntry::infoPath() const
{
    return trashFolder + QStringLiteral("/info/") + name + QLatin1String(InfoSuffix);
}

namespace {

enum class Way { Rename, Link };

// Reserves a name in the trash of path's mount, tells reserved, then moves
// or links path into it. linked tells what happened.
FsError intoTrash(const QString& path, TrashEntry& entry, const std::optional<FileStamp>& expected,
                  const TrashReservation& reserved, Way way, bool& linked)
{
    const QByteArray source = encodeFileName(path);
    const QByteArray name = nameOf(source);
    if (name.isEmpty() || name == "." || name == "..")
        return makeError(ErrorNumber::BadFileName, path);
    // FUSE may still show a name just renamed away: nothing is reserved for it.
    if (!pathExists(path))
        return errorFromErrno(ENOENT, path);
    struct stat info;
    if (::lstat(source.constData(), &info) != 0)
        return errorFromErrno(errno, path);
    if (expected && !expected->isSameFileAs(stampOf(info)))
        return makeError(ErrorNumber::FileNotFound, path);
    TrashLocation location;
    // No trash for the folder is a failure to trash path.
    if (locateTrash(parentOf(source), true, location).failed())
        return makeError(ErrorNumber::PathFileAccess, path);
    if (holdsTrash(location, name)
        || (S_ISDIR(info.st_mode) && !mountPointWithin(entryPath(location, name)).isEmpty()))
        return makeError(ErrorNumber::PathFileAccess, path);

    const QByteArray files = location.trashFolder + "/files/";
    const QByteArray infos = location.trashFolder + "/info/";
    const QByteArray text = trashInfo(recordedPath(location, name));
    const long limit = ::pathconf(infos.constData(), _PC_NAME_MAX);
    for (int number = 1; number <= MostNumberedNames; ++number) {
        const QByteArray candidate = trashName(name, number, limit > 0 ? int(limit) : NAME_MAX);
        int failure = reserveName(infos + candidate + InfoSuffix, text);
        if (failure == 0) {
            entry = TrashEntry{decodeFileName(location.trashFolder), decodeFileName(candidate)};
            const FsError refused = reserved ? reserved(entry) : FsError{};
            if (refused.failed()) {
                ::unlink((infos + candidate + InfoSuffix).constData());
                return refused;
            }
            const QByteArray target = files + candidate;
            linked = way == Way::Link && ::link(source.constData(), target.constData()) == 0;
            failure = linked ? 0 : way == Way::Link && errno == EEXIST ? EEXIST : renameWithoutReplacing(source, target);
            if (failure == 0)
                return FsError{};
            ::unlink((infos + candidate + InfoSuffix).constData());
        }
        if (failure != EEXIST)
            return removalError(failure, path);
    }
    return makeError(ErrorNumber::FileAlreadyExists, path);
}

}  // namespace

FsError moveToTrash(const QString& path, TrashEntry& entry, const std::optional<FileStamp>& expected,
                    const TrashReservation& reserved)
{
    bool linked = false;
    return intoTrash(path, entry, expected, reserved, Way::Rename, linked);
}

FsError keepInTrash(const QString& path, TrashEntry& entry, bool& linked, const TrashReservation& reserved)
{
    return intoTrash(path, entry, std::nullopt, reserved, Way::Link, linked);
}

void dropTrashLink(const TrashEntry& entry)
{
    ::unlink(encodeFileName(entry.filePath()).constData());
    ::unlink(encodeFileName(entry.infoPath()).constData());
}

bool canTrash(const QStringList& paths)
{
    // The entries of one folder share a trash: it is looked for once.
    QHash<QByteArray, TrashLocation> trashOfFolder;
    for (const QString& path : paths) {
        const QByteArray entry = encodeFileName(path);
        const QByteArray folder = parentOf(entry);
        auto known = trashOfFolder.constFind(folder);
        if (known == trashOfFolder.constEnd()) {
            TrashLocation location;
            if (locateTrash(folder, false, location).failed())
                return false;
            known = trashOfFolder.insert(folder, location);
        }
        if (holdsTrash(*known, nameOf(entry)))
            return false;
    }
    return true;
}

FsError restoreFromTrash(const TrashEntry& entry, const QString& originalPath)
{
    const QByteArray trashed = encodeFileName(entry.filePath());
    struct stat info;
    if (::lstat(trashed.constData(), &info) != 0)
        return makeError(ErrorNumber::FileNotFound, entry.filePath());
    const int failure = renameWithoutReplacing(trashed, encodeFileName(originalPath));
    if (failure == EEXIST || failure == ENOTEMPTY)
        return makeError(ErrorNumber::FileAlreadyExists, originalPath);
    if (failure != 0)
        return removalError(failure, originalPath);
    // The file is back; a .trashinfo left behind would only list a missing file.
    ::unlink(encodeFileName(entry.infoPath()).constData());
    return FsError{};
}

}  // namespace platform
