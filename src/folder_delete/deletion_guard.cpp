#include "folder_delete/deletion_guard.h"

#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"

#include <QDir>

#include <cstdlib>

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

bool holds(const QString& folder, const QString& inner)
{
    return inner == folder || inner.startsWith(folder + QLatin1Char('/'));
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
