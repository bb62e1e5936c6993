#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What Velda reads itself from an LZH header: the member's name and its
// 64-bit sizes. Readers that split or change the case of a name byte by byte
// break Shift_JIS names, whose second bytes can be "\" or a capital letter;
// liblhasa also ignores UTF-16 names and takes only the low 32 bits of a size.
namespace LzhHeader {

struct Fields {
    QByteArray folder;        // as stored, the 0xFF folder separator made "/"
    QByteArray name;
    QString unicodeFolder;    // from the UTF-16 headers, "/" between folders
    QString unicodeName;
    bool isUtf8 = false;      // the header names code page 65001
    bool isCp932 = false;     // ... or code page 932
    std::optional<quint64> packedSize;    // the 64-bit sizes, when the header gives them
    std::optional<quint64> originalSize;
};

// header: the complete header of any level (0 to 3), extended headers
// included. Whatever its bytes, no field is read outside them.
Fields parse(const QByteArray& header);

// The member's name: the UTF-16 one when there is one, else the stored bytes
// in the code page the header names, else decided by the bytes themselves.
QString nameOf(const Fields& fields);

}  // namespace LzhHeader
