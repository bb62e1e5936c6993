#include "archive/lzh_header.h"

#include "archive/little_endian.h"
#include "archive/member_names.h"

namespace LzhHeader {

namespace {

constexpr qint64 LevelOffset = 20;
constexpr char FileNameHeader = 0x01;
constexpr char FolderHeader = 0x02;
constexpr char SizeHeader = 0x42;
constexpr char Utf16NameHeader = 0x44;
constexpr char Utf16FolderHeader = 0x45;
constexpr char CodePageHeader = 0x46;
constexpr quint64 Utf8CodePage = 65001;
constexpr quint64 Cp932CodePage = 932;

QByteArray withSlashes(QByteArray bytes)
{
    bytes.replace('\xFF', '/');
    return bytes;
}

QString utf16(const QByteArray& data)
{
    QString text;
    for (qint64 at = 0; spanFits(at, 2, data.size()); at += 2) {
        const QChar c(char16_t(littleEndian(data, at, 2)));
        text += c == QChar(0xFFFF) || c == QLatin1Char('\\') ? QChar(QLatin1Char('/')) : c;
    }
    return text;
}

QString joined(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

// Where the first extended header's size field lies, and how wide such
// fields are; nothing for a level without extended headers or none at all.
struct Chain {
    qint64 offset = 0;
    int sizeField = 2;
};

std::optional<Chain> chainOf(const QByteArray& header, int level, QByteArray& baseName)
{
    switch (level) {
    case 0:
    case 1: {
        if (!spanFits(21, 1, header.size()))
            return std::nullopt;
        const qint64 nameLength = quint8(header.at(21));
        baseName = header.mid(22, int(nameLength));
        // Amiga archivers store "name\0comment" here.
        const int comment = baseName.indexOf('\0');
        if (comment >= 0)
            baseName.truncate(comment);
        if (level == 0)
            return std::nullopt;
        return Chain{quint8(header.at(0)), 2};
    }
    case 2: return Chain{24, 2};
    case 3: return Chain{28, 4};
    default: return std::nullopt;
    }
}

}  // namespace

Fields parse(const QByteArray& header)
{
    Fields fields;
    if (!spanFits(LevelOffset, 1, header.size()))
        return fields;
    const std::optional<Chain> chain = chainOf(header, quint8(header.at(LevelOffset)), fields.name);
    for (qint64 offset = chain ? chain->offset : -1; offset >= 0 && spanFits(offset, chain->sizeField, header.size());) {
        const qint64 size = qint64(littleEndian(header, offset, chain->sizeField));
        // A header is its type, its data and the size of the next one.
        if (size < chain->sizeField + 1 || !spanFits(offset + chain->sizeField, size, header.size()))
            break;
        const char type = header.at(offset + chain->sizeField);
        const QByteArray data = header.mid(int(offset + chain->sizeField + 1), int(size - chain->sizeField - 1));
        switch (type) {
        case FileNameHeader: fields.name = data; break;
        case FolderHeader: fields.folder = withSlashes(data); break;
        case Utf16NameHeader: fields.unicodeName = utf16(data); break;
        case Utf16FolderHeader: fields.unicodeFolder = utf16(data); break;
        case CodePageHeader:
            if (data.size() >= 4) {
                fields.isUtf8 = littleEndian(data, 0, 4) == Utf8CodePage;
                fields.isCp932 = littleEndian(data, 0, 4) == Cp932CodePage;
            }
            break;
        case SizeHeader:
            if (data.size() >= 16) {
                fields.packedSize = littleEndian(data, 0, 8);
                fields.originalSize = littleEndian(data, 8, 8);
            }
            break;
        default: break;
        }
        offset += size;
    }
    fields.name = withSlashes(fields.name);
    return fields;
}

QString nameOf(const Fields& fields)
{
    const auto decoded = [&fields](const QByteArray& bytes) {
        if (fields.isUtf8 || fields.isCp932)
            return MemberNames::decode(bytes, fields.isUtf8);
        return MemberNames::decodeUnmarked(bytes);
    };
    // Folder and name decided together: one encoding wrote both.
    if (fields.unicodeFolder.isEmpty() && fields.unicodeName.isEmpty())
        return decoded(fields.folder.isEmpty() ? fields.name : fields.folder + '/' + fields.name);
    return joined(fields.unicodeFolder.isEmpty() ? decoded(fields.folder) : fields.unicodeFolder,
                  fields.unicodeName.isEmpty() ? decoded(fields.name) : fields.unicodeName);
}

}  // namespace LzhHeader
