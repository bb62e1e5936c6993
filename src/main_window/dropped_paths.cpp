#include "main_window/dropped_paths.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"

#include <QMimeData>
#include <QUrl>

namespace DroppedPaths {

QStringList localPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        // QUrl would decode the path as UTF-8; its encoded form keeps the bytes.
        paths << platform::decodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    }
    return paths;
}

QString folderOf(const QStringList& paths)
{
    return paths.size() == 1 && platform::folderExists(paths.first()) ? paths.first() : QString();
}

QStringList namesIn(const QStringList& paths, const QString& folder)
{
    QStringList names;
    QString lastParent;
    bool lastParentMatches = false;
    for (const QString& path : paths) {
        const QString parent = platform::parentOf(path);
        // A drop's files nearly always share one folder: look it up once.
        if (parent != lastParent) {
            lastParent = parent;
            lastParentMatches = platform::isSameFile(parent, folder);
        }
        const QString name = platform::nameOf(path);
        if (lastParentMatches && !name.isEmpty())
            names << name;
    }
    return names;
}

}  // namespace DroppedPaths
