#include "archive/archive_file_name.h"

namespace ArchiveFileName {

QString extensionOf(const QString& name)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool canExtract(const QString& name)
{
    const QString extension = extensionOf(name);
    return extension.compare(QLatin1String(".zip"), Qt::CaseInsensitive) == 0
           || extension.compare(QLatin1String(".lzh"), Qt::CaseInsensitive) == 0;
}

}  // namespace ArchiveFileName
