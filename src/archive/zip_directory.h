#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

class QIODevice;

// The central directory of a ZIP archive, read from its bytes. libarchive
// reads it too, but offers its sizes only header by header (a second walk
// before the extraction), gives no name at all for one flagged UTF-8 whose
// bytes are not, and tells neither where each member begins nor that the
// directory is encrypted.
namespace ZipDirectory {

struct Entry {
    QByteArray rawName;
    bool utf8Flag = false;
    bool isFolder = false;
    qint64 localHeaderOffset = 0;
    quint64 size = 0;  // ZIP64 included
};

struct Directory {
    QVector<Entry> entries;    // in the order of their data in the file
    qint64 declaredBytes = 0;  // the files' sizes, summed (at most the largest qint64)
    int files = 0;             // entries that are not folders
    bool encrypted = false;    // the directory itself is encrypted: no entry can be read
};

// Nothing when the device holds no directory that reads cleanly.
std::optional<Directory> read(QIODevice& archive);
std::optional<Directory> readFile(const QString& archivePath);

}  // namespace ZipDirectory
