#include "folder_delete/deletion_guard.h"

#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/path_parts.h"

#include <QDir>

#include <cstdlib>
#include <sys/stat.h>

namespace DeletionGuard {

namespace {

QString resolved(const QString& folder)
{
    // Not the toolkit's resolution: it loses the bytes of names that are not UTF-8.
    char* canonical = ::realpath(platform::encodeFileName(folder).constData(), nullptr);
    if (!canonical)
        return QDir::cleanPath(QDir(folder).absolutePath());
    const QString path = platform::decodeFileName(QByteArray(canonical));
    std::free(canonical);
    return path;
}

// The kernel's answer: the toolkit's list of volumes leaves out network
// shares, tmpfs and bind mounts.
bool isVolumeRoot(const QString& folder)
{
    if (folder == QLatin1String("/"))
        return true;
    platform::FolderHandle handle;
    return !platform::FolderHandle::open(folder, handle).failed() && handle.isMountRoot();
}

// By name, and by identity: a bind mount shows the same folder under
// another path that no resolution of links reaches.
bool holds(const QString& folder, const QString& inner)
{
    if (inner == folder || inner.startsWith(folder + QLatin1Char('/')))
        return true;
    struct stat target, info;
    if (::stat(platform::encodeFileName(folder).constData(), &target) != 0)
        return false;
    for (QByteArray path = platform::encodeFileName(inner);; path = platform::parentOf(path)) {
        if (::stat(path.constData(), &info) == 0 && info.st_dev == target.st_dev && info.st_ino == target.st_ino)
            return true;
        if (path == "/")
            return false;
    }
}

}  // namespace

QString refusal(const QString& folder, const QStringList& protectedFolders)
{
    const QString target = resolved(folder);
    if (isVolumeRoot(target))
        return rootMessage();
    for (const QString& kept : protectedFolders)
        if (!kept.isEmpty() && holds(target, resolved(kept)))
            return programFolderMessage();
    return QString();
}

QString rootMessage()
{
    return QStringLiteral("ドライブのルートフォルダーは削除できません。");
}

QString programFolderMessage()
{
    return QStringLiteral("Veldaのプログラムフォルダー、作業フォルダー、またはそれらを含むフォルダーは削除できません。");
}

}  // namespace DeletionGuard
