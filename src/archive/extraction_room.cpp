#include "archive/extraction_room.h"
#include "platform/file_name_codec.h"


#include <sys/statvfs.h>

namespace ExtractionRoom {

qint64 margin(qint64 fileSystemBytes)
{
    constexpr qint64 OneGiB = qint64(1) << 30;
    return qMin(fileSystemBytes / 20, OneGiB);
}

bool fits(qint64 declaredBytes, qint64 freeBytes, qint64 fileSystemBytes)
{
    const qint64 usable = freeBytes - margin(fileSystemBytes);
    return declaredBytes <= usable;
}

Space of(const QString& folder)
{
    Space space;
    struct statvfs info;
    if (::statvfs(platform::encodeFileName(folder).constData(), &info) != 0)
        return space;
    space.known = true;
    space.freeBytes = qint64(info.f_bavail) * qint64(info.f_frsize);
    space.fileSystemBytes = qint64(info.f_blocks) * qint64(info.f_frsize);
    return space;
}

}  // namespace ExtractionRoom
