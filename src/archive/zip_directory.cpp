#include "archive/zip_directory.h"

#include "archive/little_endian.h"
#include "platform/file_name_codec.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace ZipDirectory {

namespace {

constexpr quint64 EndSignature = 0x06054b50;
constexpr quint64 Zip64EndSignature = 0x06064b50;
constexpr quint64 Zip64LocatorSignature = 0x07064b50;
constexpr quint64 EntrySignature = 0x02014b50;
constexpr quint64 LocalSignature = 0x04034b50;
constexpr quint64 EncryptionRecordSignature = 0x08064b50;
constexpr int EndSize = 22;
constexpr int LocatorSize = 20;
constexpr int Zip64EndSize = 56;
constexpr int EntrySize = 46;
constexpr int LocalSize = 30;
constexpr qint64 MaxTail = EndSize + 0xFFFF;  // the end record and the longest comment
constexpr quint64 Escape32 = 0xFFFFFFFF;
constexpr quint64 Escape16 = 0xFFFF;
constexpr quint64 EncryptedDirectoryFlag = 0x2000;
constexpr quint64 Utf8Flag = 0x0800;

bool readAt(QIODevice& archive, qint64 offset, qint64 length, QByteArray& bytes)
{
    if (!spanFits(offset, length, archive.size()))
        return false;
    if (archive.pos() != offset && !archive.seek(offset))
        return false;
    bytes = archive.read(length);
    return bytes.size() == length;
}

struct Span {
    qint64 offset = 0;
    qint64 size = 0;
};

// The directory as the ZIP64 end record gives it, for an end record that
// holds escape values.
std::optional<Span> zip64Span(QIODevice& archive, qint64 endAt)
{
    QByteArray locator;
    QByteArray end64;
    if (!readAt(archive, endAt - LocatorSize, LocatorSize, locator)
        || littleEndian(locator, 0, 4) != Zip64LocatorSignature)
        return std::nullopt;
    const quint64 end64At = littleEndian(locator, 8, 8);
    if (end64At > quint64(std::numeric_limits<qint64>::max())
        || !readAt(archive, qint64(end64At), Zip64EndSize, end64) || littleEndian(end64, 0, 4) != Zip64EndSignature)
        return std::nullopt;
    const quint64 offset = littleEndian(end64, 48, 8);
    const quint64 size = littleEndian(end64, 40, 8);
    const quint64 largest = quint64(std::numeric_limits<qint64>::max());
    if (offset > largest || size > largest)
        return std::nullopt;
    return Span{qint64(offset), qint64(size)};
}

std::optional<Span> locate(QIODevice& archive)
{
    const qint64 tailSize = qMin(archive.size(), MaxTail);
    QByteArray tail;
    if (tailSize < EndSize || !readAt(archive, archive.size() - tailSize, tailSize, tail))
        return std::nullopt;
    for (qint64 at = tail.size() - EndSize; at >= 0; --at) {
        if (littleEndian(tail, at, 4) != EndSignature)
            continue;
        const Span span{qint64(littleEndian(tail, at + 16, 4)), qint64(littleEndian(tail, at + 12, 4))};
        if (quint64(span.offset) == Escape32 || quint64(span.size) == Escape32
            || littleEndian(tail, at + 10, 2) == Escape16)
            return zip64Span(archive, archive.size() - tailSize + at);
        return span;
    }
    return std::nullopt;
}

// The values a ZIP64 extra field holds, in its order, for the fields that
// the entry escapes.
struct Zip64Values {
    quint64 size;
    quint64 offset;
};

bool applyZip64(const QByteArray& extra, bool sizeEscaped, bool packedEscaped, bool offsetEscaped,
                Zip64Values& values)
{
    for (qint64 at = 0; spanFits(at, 4, extra.size());) {
        const quint64 id = littleEndian(extra, at, 2);
        const qint64 length = qint64(littleEndian(extra, at + 2, 2));
        if (!spanFits(at + 4, length, extra.size()))
            return false;
        if (id == 0x0001) {
            qint64 field = at + 4;
            const qint64 end = field + length;
            const auto take = [&](bool escaped, quint64& value) {
                if (!escaped)
                    return true;
                if (!spanFits(field, 8, end))
                    return false;
                value = littleEndian(extra, field, 8);
                field += 8;
                return true;
            };
            quint64 packed = 0;
            return take(sizeEscaped, values.size) && take(packedEscaped, packed) && take(offsetEscaped, values.offset);
        }
        at += 4 + length;
    }
    return false;
}

bool isFolder(const QByteArray& name, const QByteArray& fixed)
{
    constexpr int UnixSystem = 3;
    const quint64 attributes = littleEndian(fixed, 38, 4);
    if (name.endsWith('/') || name.endsWith('\\'))
        return true;
    if (littleEndian(fixed, 5, 1) == UnixSystem)
        return ((attributes >> 16) & 0170000) == 0040000;
    return (attributes & 0x10) != 0;
}

std::optional<Entry> readEntry(QIODevice& archive, qint64& at, qint64 end)
{
    QByteArray fixed;
    if (!spanFits(at, EntrySize, end) || !readAt(archive, at, EntrySize, fixed)
        || littleEndian(fixed, 0, 4) != EntrySignature)
        return std::nullopt;
    const qint64 nameSize = qint64(littleEndian(fixed, 28, 2));
    const qint64 extraSize = qint64(littleEndian(fixed, 30, 2));
    const qint64 commentSize = qint64(littleEndian(fixed, 32, 2));
    QByteArray variable;
    if (!spanFits(at + EntrySize, nameSize + extraSize + commentSize, end)
        || !readAt(archive, at + EntrySize, nameSize + extraSize, variable))
        return std::nullopt;
    at += EntrySize + nameSize + extraSize + commentSize;

    Entry entry;
    entry.rawName = variable.left(int(nameSize));
    entry.utf8Flag = (littleEndian(fixed, 8, 2) & Utf8Flag) != 0;
    entry.isFolder = isFolder(entry.rawName, fixed);
    Zip64Values values{littleEndian(fixed, 24, 4), littleEndian(fixed, 42, 4)};
    const bool sizeEscaped = values.size == Escape32;
    const bool packedEscaped = littleEndian(fixed, 20, 4) == Escape32;
    const bool offsetEscaped = values.offset == Escape32;
    if ((sizeEscaped || packedEscaped || offsetEscaped)
        && !applyZip64(variable.mid(int(nameSize)), sizeEscaped, packedEscaped, offsetEscaped, values))
        return std::nullopt;
    if (values.offset > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    entry.size = values.size;
    entry.localHeaderOffset = qint64(values.offset);
    return entry;
}

// Strong encryption of the directory: a record of its own stands before the
// directory, and local headers carry masked values under a flag.
bool isEncrypted(QIODevice& archive, qint64 directoryAt)
{
    QByteArray bytes;
    if (readAt(archive, directoryAt, 4, bytes) && littleEndian(bytes, 0, 4) == EncryptionRecordSignature)
        return true;
    return readAt(archive, 0, LocalSize, bytes) && littleEndian(bytes, 0, 4) == LocalSignature
           && (littleEndian(bytes, 6, 2) & EncryptedDirectoryFlag) != 0;
}

}  // namespace

std::optional<Directory> read(QIODevice& archive)
{
    const std::optional<Span> span = locate(archive);
    if (!span || !spanFits(span->offset, span->size, archive.size()))
        return std::nullopt;
    Directory directory;
    if (isEncrypted(archive, span->offset)) {
        directory.encrypted = true;
        return directory;
    }
    const qint64 end = span->offset + span->size;
    for (qint64 at = span->offset; at < end;) {
        std::optional<Entry> entry = readEntry(archive, at, end);
        if (!entry)
            return std::nullopt;
        if (!entry->isFolder) {
            ++directory.files;
            const quint64 room = quint64(std::numeric_limits<qint64>::max() - directory.declaredBytes);
            directory.declaredBytes = entry->size > room ? std::numeric_limits<qint64>::max()
                                                         : directory.declaredBytes + qint64(entry->size);
        }
        directory.entries.append(std::move(*entry));
    }
    std::stable_sort(directory.entries.begin(), directory.entries.end(), [](const Entry& a, const Entry& b) {
        return a.localHeaderOffset < b.localHeaderOffset;
    });
    return directory;
}

std::optional<Directory> readFile(const QString& archivePath)
{
    // Opened by its exact bytes: the path may hold a name that is not UTF-8.
    const int fd = ::open(platform::encodeFileName(archivePath).constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    return read(file);
}

}  // namespace ZipDirectory
