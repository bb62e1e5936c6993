#include "archive/lzh_header_name.h"

#include "archive/little_endian.h"

namespace LzhHeaderName {

namespace {

constexpr int LevelOffset = 20;
constexpr char FileNameHeader = 0x01;
constexpr char FolderHeader = 0x02;
constexpr char CodePageHeader = 0x46;
constexpr quint32 Utf8CodePage = 65001;

QByteArray withSlashes(QByteArray bytes)
{
    bytes.replace('\xFF', '/');
    return bytes;
}

}  // namespace

RawName fromHeader(const QByteArray& header)
{
    RawName result;
    if (header.size() <= LevelOffset)
        return result;
    const int level = quint8(header.at(LevelOffset));
    QByteArray name;
    QByteArray folder;
    int offset = 0;
    int sizeField = 2;
    switch (level) {
    case 0:
    case 1: {
        const int nameLength = quint8(header.at(21));
        // Amiga archivers store "name\0comment" here.
        name = header.mid(22, nameLength);
        const int comment = name.indexOf('\0');
        if (comment >= 0)
            name.truncate(comment);
        if (level == 0)
            break;
        offset = quint8(header.at(0));
        break;
    }
    case 2: offset = 24; break;
    case 3:
        offset = 28;
        sizeField = 4;
        break;
    default: return result;
    }
    while (offset > 0 && offset + sizeField <= header.size()) {
        const qint64 size = littleEndian(header, offset, sizeField);
        if (size == 0 || size < sizeField + 1 || offset + sizeField + size > header.size())
            break;
        const char type = header.at(offset + sizeField);
        const QByteArray data = header.mid(offset + sizeField + 1, int(size) - sizeField - 1);
        if (type == FileNameHeader)
            name = data;
        else if (type == FolderHeader)
            folder = data;
        else if (type == CodePageHeader && data.size() >= 4)
            result.isUtf8 = littleEndian(data, 0, 4) == Utf8CodePage;
        offset += int(size);
    }
    result.path = folder.isEmpty() ? withSlashes(name) : withSlashes(folder) + '/' + withSlashes(name);
    return result;
}

}  // namespace LzhHeaderName
