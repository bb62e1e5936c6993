// Writes the first corpus of each fuzz target from the test archives.
//   seed_writer <corpus folder>
#include "test_archives.h"

#include <QDir>
#include <QFile>

namespace {

void write(const QString& folder, int index, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(QStringLiteral("%1/seed-%2").arg(folder).arg(index));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The first header of an LZH archive of one member: what liblhasa hands over.
QByteArray firstHeader(const QByteArray& archive)
{
    const int level = quint8(archive.at(20));
    const int length = level < 2 ? quint8(archive.at(0)) + 2 : quint8(archive.at(0)) | quint8(archive.at(1)) << 8;
    return archive.left(length);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    using namespace TestArchives;
    const QByteArray sjis = cp932(QStringLiteral("資料/表示ソフト.TXT"));
    const QVector<QByteArray> zips = {
        zip({{"a.txt", "a"}}),
        zip({{sjis, "stored"}, {"dir/", {}}, {QStringLiteral("写真/旅行.jpg").toUtf8(), "utf8", true, true}}),
        zip({{"big.bin", "x", false, false, 0, 4294967301LL, true}}),
        zip({{"lnk", "target", false, false, 0120777}, {"pad.txt", "p", false, false, 0, -1, false, -1, "\x01\x02"}}),
    };
    for (int i = 0; i < zips.size(); ++i)
        write(corpus + "/zip_directory", i, zips.at(i));

    LzhMember unicode{"_____.txt", "u"};
    unicode.unicodeName = QStringLiteral("日本語.txt");
    unicode.unicodeFolder = QStringLiteral("資料/表");
    LzhMember large{"large.bin", QByteArray(32, '\0')};
    large.size64 = (quint64(1) << 32) + 32;
    const QVector<LzhMember> headers = {
        {sjis, "zero", "-lh0-", 0},
        {cp932("アイウ.TXT"), "one", "-lh5-", 1, cp932("資料")},
        {"name.txt", "two", "-lh0-", 2, "a\xFF" "b", 'U', 65001, 0100644},
        {"link|target", {}, "-lhd-", 2, {}, 'U', 0, 0120777},
        unicode,
        large,
    };
    for (int i = 0; i < headers.size(); ++i)
        write(corpus + "/lzh_header", i, firstHeader(lzh({headers.at(i)})));

    const QVector<QByteArray> names = {sjis, QStringLiteral("写真/旅行.jpg").toUtf8(), "../x\\..\\y", "C:/a//./b",
                                       "\xED\xA0\x80", "\xC0\xAF", "a\xFF\xFE", QByteArray("a\0b", 3)};
    for (int i = 0; i < names.size(); ++i)
        write(corpus + "/member_names", i, names.at(i));
    return 0;
}
