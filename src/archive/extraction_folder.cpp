#include "archive/extraction_folder.h"

#include "platform/file_system.h"
#include "platform/file_name_codec.h"


#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace ExtractionFolder {

QString makeFolders(const QString& root, const QStringList& parts)
{
    QString folder = root;
    for (const QString& part : parts) {
        folder = platform::joinPath(folder, part);
        const QByteArray encoded = platform::encodeFileName(folder);
        if (::mkdir(encoded.constData(), 0777) == 0)
            continue;
        if (errno != EEXIST)
            return QString();
        struct stat info;
        if (::lstat(encoded.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return QString();
    }
    return folder;
}

}  // namespace ExtractionFolder
