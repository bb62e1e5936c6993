#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Small archives built byte by byte, so that every header field, name byte
// and flag is under the test's control.
namespace TestArchives {

QByteArray cp932(const QString& text);
// value as bytes least significant first, as archive headers store numbers.
QByteArray le(quint64 value, int bytes);

struct LzhMember {
    QByteArray name;               // levels 0 and 1 may hold a path with "\"
    QByteArray data;
    QByteArray method = "-lh0-";   // -lh5- compressed, -lhd- folder or link
    int level = 2;
    QByteArray folder{};            // levels 1 and 2, 0xFF between folders
    char os = 'M';
    quint32 codePage = 0;          // 0: no code page header
    quint16 unixMode = 0;          // 0: no permission header
    bool damagedCrc = false;
    qint64 declaredSize = -1;      // the original size the header gives; -1: the true one
    QString unicodeName{};         // level 2: UTF-16 name and folder headers
    QString unicodeFolder{};
    quint64 size64 = 0;            // -lh0-, level 2: both sizes as a 64-bit header, their low 32 bits as usual
};
QByteArray lzh(const QVector<LzhMember>& members);

struct ZipMember {
    QByteArray name;
    QByteArray data;
    bool utf8Flag = false;
    bool deflated = false;
    quint32 unixMode = 0;          // 0: made on Windows
    qint64 declaredSize = -1;      // the size the headers give; -1: the true one
    bool zip64 = false;            // sizes in ZIP64 extra fields
    int method = -1;               // -1: stored or deflated as above
    QByteArray directoryExtra{};   // more extra bytes, in the directory only
};
QByteArray zip(const QVector<ZipMember>& members);

}  // namespace TestArchives
