#include "test_archives.h"

#include <iconv.h>

#include <numeric>

namespace TestArchives {

namespace {

// Reflected CRC: LHA's CRC-16 (0xA001 from 0) and ZIP's CRC-32 (0xEDB88320 from and to ~0).
quint32 crc(const QByteArray& data, quint32 polynomial, quint32 start)
{
    quint32 value = start;
    for (const char byte : data) {
        value ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ polynomial : value >> 1;
    }
    return value ^ start;
}


constexpr quint32 DosTime = 0x50221883;  // 2020-01-02 03:04:06

// -lh5- with every byte a literal under one fixed code in which all 256
// literals are 8 bits long, so that a literal's code is the byte itself.
QByteArray lh5Literals(const QByteArray& data)
{
    QByteArray bits;  // one '0' or '1' per bit, most significant first
    auto put = [&bits](quint32 value, int count) {
        while (count-- > 0)
            bits += char('0' + ((value >> count) & 1));
    };
    for (int start = 0; start < data.size(); start += 0xFFFF) {
        const int count = qMin(0xFFFF, int(data.size()) - start);
        put(quint32(count), 16);
        put(0, 5);    // code-length code: one symbol ...
        put(10, 5);   // ... 10, a length of 8
        put(256, 9);  // 256 literal lengths, each that symbol
        put(0, 8);    // offset code: one symbol, never used
        for (int i = start; i < start + count; ++i)
            put(quint8(data.at(i)), 8);
    }
    QByteArray packed((bits.size() + 7) / 8, '\0');
    for (int i = 0; i < bits.size(); ++i)
        packed[i / 8] = char(packed.at(i / 8) | (bits.at(i) == '1' ? 0x80 >> (i % 8) : 0));
    return packed;
}

QByteArray lzhHeader(const LzhMember& m, const QByteArray& packed)
{
    const auto utf16 = [](const QString& text) {
        QByteArray bytes;
        for (const QChar c : text)
            bytes += le(c == QLatin1Char('/') ? 0xFFFF : c.unicode(), 2);
        return bytes;
    };
    QVector<QByteArray> extended;  // type and data of each extended header, the first a CRC filled in below
    for (const auto& [present, header] : {qMakePair(m.level == 2, QByteArray(3, '\0')),
                                          qMakePair(m.level == 2 && !m.name.isEmpty(), '\x01' + m.name),
                                          qMakePair(!m.folder.isEmpty(), '\x02' + m.folder + '\xFF'),
                                          qMakePair(m.codePage != 0, '\x46' + le(m.codePage, 4)),
                                          qMakePair(m.unixMode != 0, '\x50' + le(m.unixMode, 2)),
                                          qMakePair(m.size64 != 0, '\x42' + le(m.size64, 8) + le(m.size64, 8)),
                                          qMakePair(!m.unicodeName.isEmpty(), '\x44' + utf16(m.unicodeName)),
                                          qMakePair(!m.unicodeFolder.isEmpty(), '\x45' + utf16(m.unicodeFolder))})
        if (present)
            extended << header;
    QByteArray chain;  // each extended header followed by the size of the next
    for (int i = 0; i < extended.size(); ++i)
        chain += extended.at(i) + le(i + 1 < extended.size() ? extended.at(i + 1).size() + 2 : 0, 2);
    const QByteArray firstSize = le(extended.isEmpty() ? 0 : extended.first().size() + 2, 2);
    const QByteArray dataCrc = le(crc(m.data, 0xA001, 0) ^ (m.damagedCrc ? 0x5555 : 0), 2);
    const qint64 packedSize = m.size64 ? qint64(m.size64 & 0xFFFFFFFF) : packed.size();
    const qint64 size = m.size64 ? qint64(m.size64 & 0xFFFFFFFF) : m.declaredSize < 0 ? m.data.size() : m.declaredSize;
    const QByteArray common = m.method + le(packedSize + (m.level == 1 ? chain.size() : 0), 4) + le(size, 4)
                              + le(m.level == 2 ? 1577934246 : DosTime, 4) + '\x20' + char(m.level);
    if (m.level < 2) {
        const QByteArray body = common + char(m.name.size()) + m.name + dataCrc
                                + (m.level == 1 ? m.os + firstSize : QByteArray());
        const char sum = char(std::accumulate(body.begin(), body.end(), 0));
        return QByteArray(1, char(body.size())) + sum + body + (m.level == 1 ? chain : QByteArray());
    }
    QByteArray header = common + dataCrc + m.os + firstSize + chain;
    header.prepend(le(header.size() + 2, 2));
    header.replace(27, 2, le(crc(header, 0xA001, 0), 2));
    return header;
}

}  // namespace

QByteArray le(quint64 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i));
    return out;
}

QByteArray cp932(const QString& text)
{
    QByteArray in = text.toUtf8(), out(in.size(), '\0');
    char *inAt = in.data(), *outAt = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    iconv_t converter = ::iconv_open("CP932", "UTF-8");
    ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    ::iconv_close(converter);
    return out.left(out.size() - int(outLeft));
}

QByteArray lzh(const QVector<LzhMember>& members)
{
    QByteArray archive;
    for (const LzhMember& member : members) {
        const QByteArray packed = member.method == "-lh5-" ? lh5Literals(member.data) : member.data;
        archive += lzhHeader(member, packed) + packed;
    }
    return archive + '\0';
}

QByteArray zip(const QVector<ZipMember>& members)
{
    QByteArray archive;
    QByteArray directory;
    for (const ZipMember& m : members) {
        const QByteArray stored = m.deflated ? qCompress(m.data, 9).mid(6).chopped(4) : m.data;  // raw deflate
        const qint64 size = m.declaredSize < 0 ? m.data.size() : m.declaredSize;
        const QByteArray extra = m.zip64 ? le(1, 2) + le(16, 2) + le(size, 8) + le(stored.size(), 8) : QByteArray();
        const QByteArray sizes = m.zip64 ? le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) : le(stored.size(), 4) + le(size, 4);
        const QByteArray head = le(m.utf8Flag ? 0x0800 : 0, 2) + le(m.method >= 0 ? m.method : m.deflated ? 8 : 0, 2)
                                + le(DosTime, 4) + le(crc(m.data, 0xEDB88320, 0xFFFFFFFF), 4) + sizes + le(m.name.size(), 2);
        const quint32 attributes = m.unixMode ? m.unixMode << 16 : m.name.endsWith('/') ? 0x10 : 0x20;
        directory += le(0x02014b50, 4) + le(m.unixMode ? 0x0314 : 20, 2) + le(20, 2) + head
                     + le(extra.size() + m.directoryExtra.size(), 2) + le(0, 6) + le(attributes, 4)
                     + le(archive.size(), 4) + m.name + extra + m.directoryExtra;
        archive += le(0x04034b50, 4) + le(20, 2) + head + le(extra.size(), 2) + m.name + extra + stored;
    }
    return archive + directory + le(0x06054b50, 4) + le(0, 4) + le(members.size(), 2) + le(members.size(), 2)
           + le(directory.size(), 4) + le(archive.size(), 4) + le(0, 2);
}

}  // namespace TestArchives
