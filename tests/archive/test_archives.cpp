#include "test_archives.h"

#include <QtEndian>

#include <cerrno>
#include <iconv.h>

namespace TestArchives {

namespace {

quint16 crc16(const QByteArray& data)
{
    quint16 crc = 0;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

void put16(QByteArray& out, quint32 value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Bits written most significant first, as the LHA decoders read them.
class BitWriter {
public:
    void write(quint32 value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = quint8((current_ << 1) | ((value >> i) & 1));
            if (++filled_ == 8) {
                bytes_ += char(current_);
                current_ = 0;
                filled_ = 0;
            }
        }
    }
    QByteArray finish()
    {
        if (filled_)
            write(0, 8 - filled_);
        return bytes_;
    }

private:
    QByteArray bytes_;
    quint8 current_ = 0;
    int filled_ = 0;
};

// -lh5- with every byte a literal under one fixed code: all 256 literals are
// 8 bits long, so a literal's code is the byte itself.
QByteArray lh5Literals(const QByteArray& data)
{
    BitWriter bits;
    for (int start = 0; start < data.size(); start += 0xFFFF) {
        const int count = qMin(0xFFFF, int(data.size()) - start);
        bits.write(quint32(count), 16);
        bits.write(0, 5);    // code-length code: one symbol ...
        bits.write(10, 5);   // ... 10, a length of 8
        bits.write(256, 9);  // 256 literal lengths, each that symbol
        bits.write(0, 4);    // offset code: one symbol ...
        bits.write(0, 4);    // ... never used
        for (int i = start; i < start + count; ++i)
            bits.write(quint8(data.at(i)), 8);
    }
    return bits.finish();
}

QByteArray extendedHeader(char type, const QByteArray& data)
{
    return char(type) + data;
}

QByteArray lzhHeader(const LzhMember& member, const QByteArray& packed)
{
    QVector<QByteArray> extended;
    if (!member.folder.isEmpty())
        extended.append(extendedHeader(0x02, member.folder + '\xFF'));
    if (member.codePage) {
        QByteArray value;
        put32(value, *member.codePage);
        extended.append(extendedHeader(0x46, value));
    }
    if (member.unixMode) {
        QByteArray value;
        put16(value, *member.unixMode);
        extended.append(extendedHeader(0x50, value));
    }
    if (member.level == 2 && !member.name.isEmpty())
        extended.prepend(extendedHeader(0x01, member.name));
    if (member.level == 2)
        extended.prepend(extendedHeader(0x00, QByteArray(2, '\0')));  // header CRC, filled in below

    // Each extended header is followed by the size of the next one.
    QByteArray chain;
    for (int i = 0; i < extended.size(); ++i) {
        chain += extended.at(i);
        put16(chain, i + 1 < extended.size() ? quint32(extended.at(i + 1).size() + 2) : 0);
    }
    const quint32 firstSize = extended.isEmpty() ? 0 : quint32(extended.first().size() + 2);
    quint16 crc = crc16(member.data);
    if (member.damagedCrc)
        crc ^= 0x5555;

    QByteArray header;
    if (member.level == 0 || member.level == 1) {
        QByteArray body = member.method;
        put32(body, quint32(packed.size() + (member.level == 1 ? chain.size() : 0)));
        put32(body, quint32(member.data.size()));
        put32(body, (quint32((2020 - 1980) << 9 | 1 << 5 | 2) << 16) | quint32(3 << 11 | 4 << 5 | 3));
        body += char(0x20);
        body += char(member.level);
        body += char(member.name.size());
        body += member.name;
        put16(body, crc);
        if (member.level == 1) {
            body += member.os;
            put16(body, firstSize);
        }
        quint8 sum = 0;
        for (const char byte : body)
            sum = quint8(sum + quint8(byte));
        header += char(body.size());
        header += char(sum);
        header += body;
        if (member.level == 1)
            header += chain;
        return header;
    }
    QByteArray body = member.method;
    put32(body, quint32(packed.size()));
    put32(body, quint32(member.data.size()));
    put32(body, 1577934246);
    body += char(0x20);
    body += char(2);
    put16(body, crc);
    body += member.os;
    put16(body, firstSize);
    body += chain;
    put16(header, quint32(body.size() + 2));
    header += body;
    const quint16 headerCrc = crc16(header);
    header[27] = char(headerCrc & 0xFF);
    header[28] = char(headerCrc >> 8);
    return header;
}

QByteArray rawDeflate(const QByteArray& data)
{
    const QByteArray zlib = qCompress(data, 9);
    return zlib.mid(4 + 2, zlib.size() - 4 - 2 - 4);
}

}  // namespace

QByteArray cp932(const QString& text)
{
    iconv_t converter = ::iconv_open("CP932", "UTF-8");
    QByteArray input = text.toUtf8();
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    QByteArray output(input.size() * 2 + 4, '\0');
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    ::iconv(converter, &in, &inLeft, &out, &outLeft);
    ::iconv_close(converter);
    output.truncate(output.size() - int(outLeft));
    return output;
}

QByteArray lzh(const QVector<LzhMember>& members)
{
    QByteArray archive;
    for (const LzhMember& member : members) {
        const QByteArray packed = member.method == "-lh5-" ? lh5Literals(member.data) : member.data;
        archive += lzhHeader(member, packed);
        archive += packed;
    }
    archive += char(0);
    return archive;
}

QByteArray zip(const QVector<ZipMember>& members)
{
    QByteArray archive;
    QByteArray directory;
    for (const ZipMember& member : members) {
        const QByteArray stored = member.deflated ? rawDeflate(member.data) : member.data;
        const quint16 flags = member.utf8Flag ? 0x0800 : 0;
        const quint16 method = member.deflated ? 8 : 0;
        QByteArray common;
        put16(common, flags);
        put16(common, method);
        put16(common, 3 << 11 | 4 << 5 | 3);
        put16(common, (2020 - 1980) << 9 | 1 << 5 | 2);
        put32(common, crc32(member.data));
        put32(common, quint32(stored.size()));
        put32(common, quint32(member.data.size()));
        put16(common, quint32(member.name.size()));
        put16(common, 0);

        const quint32 offset = quint32(archive.size());
        put32(archive, 0x04034b50);
        put16(archive, 20);
        archive += common + member.name + stored;

        put32(directory, 0x02014b50);
        put16(directory, member.unixMode ? (3 << 8 | 20) : 20);
        put16(directory, 20);
        directory += common;
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        const bool isFolder = member.name.endsWith('/');
        put32(directory, member.unixMode ? member.unixMode << 16 : (isFolder ? 0x10 : 0x20));
        put32(directory, offset);
        directory += member.name;
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive += directory;
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, quint32(members.size()));
    put16(archive, quint32(members.size()));
    put32(archive, quint32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

}  // namespace TestArchives
