#include "folder_delete/deletion_guard.h"

#include "platform/file_name_codec.h"

#include <QDir>
#include <QStorageInfo>

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

bool isVolumeRoot(const QString& folder)
{
    if (folder == QLatin1String("/"))
        return true;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes)
        if (resolved(volume.rootPath()) == folder)
            return true;
    return false;
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
