// The program side of bench/archive_bench.sh: builds the benchmark's files
// and LZH archives, and extracts an archive the way a double-click does.
//   archive_bench_driver tree <folder> <count>      small files in 20 folders
//   archive_bench_driver big <file> <MiB>           one file of mixed data
//   archive_bench_driver lzh <archive> <folder>     -lh0- level 2 archive of the folder
//   archive_bench_driver extract <archive> <empty folder>
#include "archive/extract_archive.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>

namespace {

QByteArray littleEndian(quint64 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i));
    return out;
}

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

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

int makeTree(const QString& root, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString folder = root + QStringLiteral("/folder%1").arg(i % 20);
        QDir().mkpath(folder);
        const QByteArray data = QByteArray("line of a small file ").repeated(5 + i % 90) + QByteArray::number(i);
        if (!writeFile(folder + QStringLiteral("/file%1.txt").arg(i), data))
            return 1;
    }
    return 0;
}

int makeBig(const QString& path, int mebibytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    quint32 state = 12345;
    QByteArray block(1 << 20, '\0');
    for (int m = 0; m < mebibytes; ++m) {
        // Half text, half noise: the deflate of the ZIP has work to do.
        for (int i = 0; i < block.size(); ++i) {
            state = state * 1103515245u + 12345u;
            block[i] = (i / 4096) % 2 ? char(state >> 24) : char('a' + (i % 26));
        }
        if (file.write(block) != block.size())
            return 1;
    }
    return 0;
}

// Level 2 headers, stored data, folders in the folder header.
int makeLzh(const QString& archivePath, const QString& folder)
{
    QFile archive(archivePath);
    if (!archive.open(QIODevice::WriteOnly))
        return 1;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray data = file.readAll();
        const QString relative = base.relativeFilePath(path);
        const int slash = relative.lastIndexOf(QLatin1Char('/'));
        QVector<QByteArray> extended{QByteArray(3, '\0'), '\x01' + relative.mid(slash + 1).toLatin1()};
        if (slash > 0)
            extended << '\x02' + relative.left(slash).toLatin1().replace('/', '\xFF') + '\xFF';
        QByteArray chain;
        for (int i = 0; i < extended.size(); ++i)
            chain += extended.at(i) + littleEndian(i + 1 < extended.size() ? extended.at(i + 1).size() + 2 : 0, 2);
        QByteArray header = "-lh0-" + littleEndian(data.size(), 4) + littleEndian(data.size(), 4)
                            + littleEndian(1577934246, 4) + '\x20' + '\x02' + littleEndian(crc16(data), 2) + 'U'
                            + littleEndian(extended.first().size() + 2, 2) + chain;
        header.prepend(littleEndian(header.size() + 2, 2));
        header.replace(27, 2, littleEndian(crc16(header), 2));
        if (archive.write(header) != header.size() || archive.write(data) != data.size())
            return 1;
    }
    return archive.write("\0", 1) == 1 ? 0 : 1;
}

int extract(const QString& archivePath, const QString& destination)
{
    qint32 count = 0;
    qint16 result = 0;
    MarlowFuncUtility::ExtractArchive(archivePath, destination + QLatin1Char('/'), count, result);
    std::printf("%d files\n", int(count));
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("tree"))
        return makeTree(args.at(2), args.at(3).toInt());
    if (args.size() == 4 && args.at(1) == QLatin1String("big"))
        return makeBig(args.at(2), args.at(3).toInt());
    if (args.size() == 4 && args.at(1) == QLatin1String("lzh"))
        return makeLzh(args.at(2), args.at(3));
    if (args.size() == 4 && args.at(1) == QLatin1String("extract"))
        return extract(args.at(2), args.at(3));
    std::fprintf(stderr, "usage: archive_bench_driver tree|big|lzh|extract ...\n");
    return 2;
}
