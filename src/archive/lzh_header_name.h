#pragma once

#include <QByteArray>

// The member name of an LZH header, taken from the header's own bytes.
// Readers that split or change the case of the name byte by byte break
// Shift_JIS names, whose second bytes can be "\" or a capital letter, so the
// name is read here as stored and decoded as a whole afterwards.
namespace LzhHeaderName {

struct RawName {
    QByteArray path;      // folders and name; the 0xFF folder separator made "/"
    bool isUtf8 = false;  // the header names code page 65001
};

// header: the complete header of any level (0 to 3), extended headers included.
RawName fromHeader(const QByteArray& header);

}  // namespace LzhHeaderName
