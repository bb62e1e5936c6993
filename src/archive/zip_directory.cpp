#include "archive/zip_directory.h"

#include "archive/little_endian.h"
#include "platform/file_name_codec.h"

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace ZipDirectory {

namespace {

constexpr quint32 EndSignature = 0x06054b50;
constexpr quint32 Zip64EndSignature = 0x06064b50;
constexpr quint32 Zip64LocatorSignature = 0x07064b50;
constexpr quint32 EntrySignature = 0x02014b50;
constexpr int EndSize = 22;
constexpr int LocatorSize = 20;
constexpr int EntrySize = 46;
constexpr qint64 MaxTail = EndSize + 0xFFFF;  // the end record and the longest comment

bool readAt(QFile& file, qint64 offset, qint64 size, QByteArray& bytes)
{
    if (offset < 0 || size < 0 || offset + size > file.size() || !file.seek(offset))
        return false;
    bytes = file.read(size);
    return bytes.size() == size;
}

// The original size of an entry whose directory field holds 0xFFFFFFFF: the
// first value of its ZIP64 extra field.
std::optional<quint64> zip64Size(const QByteArray& extra)
{
    for (int at = 0; at + 4 <= extra.size();) {
        const quint64 id = littleEndian(extra, at, 2);
        const int size = int(littleEndian(extra, at + 2, 2));
        if (id == 0x0001 && size >= 8 && at + 12 <= extra.size())
            return littleEndian(extra, at + 4, 8);
        at += 4 + size;
    }
    return std::nullopt;
}

struct Directory {
    qint64 offset = 0;
    qint64 size = 0;
};

std::optional<Directory> locate(QFile& file)
{
    const qint64 tailSize = qMin(file.size(), MaxTail);
    QByteArray tail;
    if (tailSize < EndSize || !readAt(file, file.size() - tailSize, tailSize, tail))
        return std::nullopt;
    for (qint64 at = tail.size() - EndSize; at >= 0; --at) {
        if (littleEndian(tail, at, 4) != EndSignature)
            continue;
        const qint64 endAt = file.size() - tailSize + at;
        Directory directory{qint64(littleEndian(tail, at + 16, 4)), qint64(littleEndian(tail, at + 12, 4))};
        if (directory.offset == 0xFFFFFFFF || directory.size == 0xFFFFFFFF) {
            QByteArray locator;
            QByteArray end64;
            if (!readAt(file, endAt - LocatorSize, LocatorSize, locator)
                || littleEndian(locator, 0, 4) != Zip64LocatorSignature
                || !readAt(file, qint64(littleEndian(locator, 8, 8)), 56, end64)
                || littleEndian(end64, 0, 4) != Zip64EndSignature)
                return std::nullopt;
            directory = {qint64(littleEndian(end64, 48, 8)), qint64(littleEndian(end64, 40, 8))};
        }
        return directory;
    }
    return std::nullopt;
}

}  // namespace

std::optional<qint64> declaredBytes(const QString& archivePath)
{
    // Opened by its exact bytes: the path may hold a name that is not UTF-8.
    const int fd = ::open(platform::encodeFileName(archivePath).constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    const std::optional<Directory> directory = locate(file);
    QByteArray entries;
    if (!directory || !readAt(file, directory->offset, directory->size, entries))
        return std::nullopt;
    qint64 total = 0;
    for (qint64 at = 0; at < entries.size();) {
        if (at + EntrySize > entries.size() || littleEndian(entries, at, 4) != EntrySignature)
            return std::nullopt;
        const qint64 nameSize = qint64(littleEndian(entries, at + 28, 2));
        const qint64 extraSize = qint64(littleEndian(entries, at + 30, 2));
        const qint64 next = at + EntrySize + nameSize + extraSize + qint64(littleEndian(entries, at + 32, 2));
        if (next > entries.size())
            return std::nullopt;
        quint64 size = littleEndian(entries, at + 24, 4);
        if (size == 0xFFFFFFFF) {
            const std::optional<quint64> size64 = zip64Size(entries.mid(at + EntrySize + nameSize, extraSize));
            if (!size64)
                return std::nullopt;
            size = *size64;
        }
        const qint64 room = std::numeric_limits<qint64>::max() - total;
        total = size > quint64(room) ? std::numeric_limits<qint64>::max() : total + qint64(size);
        at = next;
    }
    return total;
}

}  // namespace ZipDirectory
