#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Small archives built byte by byte, so that every header field, name byte
// and flag is under the test's control.
namespace TestArchives {

QByteArray cp932(const QString& text);

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
};
QByteArray lzh(const QVector<LzhMember>& members);

struct ZipMember {
    QByteArray name;
    QByteArray data;
    bool utf8Flag = false;
    bool deflated = false;
    quint32 unixMode = 0;          // 0: made on Windows
    qint64 declaredSize = -1;      // the size the headers give; -1: the true one
};
QByteArray zip(const QVector<ZipMember>& members);

}  // namespace TestArchives
