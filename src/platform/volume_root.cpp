#include "platform/volume_root.h"

#include "platform/file_name_codec.h"
#include "platform/path_parts.h"

#include <QStorageInfo>

namespace platform {

QString volumeRootOf(const QString& path)
{
    // The toolkit cannot name a folder whose name is not UTF-8: ask about the
    // nearest folder above it that it can name.
    QString nameable = path;
    while (hasForeignBytes(nameable))
        nameable = parentOf(nameable);
    const QStorageInfo volume(nameable.isEmpty() ? QStringLiteral("/") : nameable);
    return volume.isValid() ? volume.rootPath() : QStringLiteral("/");
}

}  // namespace platform
