#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

// Small archives built byte by byte, so that every header field, name byte
// and flag is under the test's control.
namespace TestArchives {

QByteArray cp932(const QString& text);

struct LzhMember {
    LzhMember(QByteArray name_, QByteArray folder_, QByteArray data_, QByteArray method_ = "-lh0-", int level_ = 2,
              char os_ = 'M', std::optional<quint32> codePage_ = std::nullopt,
              std::optional<quint16> unixMode_ = std::nullopt)
        : name(std::move(name_)), folder(std::move(folder_)), data(std::move(data_)), method(std::move(method_)),
          level(level_), os(os_), codePage(codePage_), unixMode(unixMode_)
    {
    }

    QByteArray name;                   // raw name bytes; levels 0 and 1 may hold a path with "\"
    QByteArray folder;                 // levels 1 and 2: folder header, 0xFF between and after folders
    QByteArray data;
    QByteArray method;                 // -lh0- stored, -lh5- compressed, -lhd- folder or link
    int level;
    char os;
    std::optional<quint32> codePage;   // code page header
    std::optional<quint16> unixMode;   // Unix permission header
    bool damagedCrc = false;
};

// The members and the closing zero byte.
QByteArray lzh(const QVector<LzhMember>& members);

struct ZipMember {
    ZipMember(QByteArray name_, QByteArray data_, bool utf8Flag_ = false, bool deflated_ = false,
              quint32 unixMode_ = 0)
        : name(std::move(name_)), data(std::move(data_)), utf8Flag(utf8Flag_), deflated(deflated_),
          unixMode(unixMode_)
    {
    }

    QByteArray name;
    QByteArray data;
    bool utf8Flag;
    bool deflated;
    quint32 unixMode;  // 0: written as by Windows
};

QByteArray zip(const QVector<ZipMember>& members);

}  // namespace TestArchives
