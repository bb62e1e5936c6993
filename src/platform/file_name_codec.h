#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes, not text. The program keeps every name and
// path as text in which each byte that is not part of valid UTF-8 stands as a
// lone low surrogate U+DC80 + byte, so that a name read from a folder always
// goes back to the file system as the very same bytes.
namespace platform {

QByteArray encodeFileName(const QString& name);
QString decodeFileName(const QByteArray& bytes);

// True when name carries bytes that are not UTF-8.
bool hasForeignBytes(const QString& name);

// The form a list shows of such a name: UTF-8 as it is; else, when the bytes
// are valid CP932 (Shift_JIS names of older Japanese programs), that text;
// else the foreign bytes as visible replacement characters. A path is shown
// name by name.
QString readableFileName(const QString& name);

// The form of a bare name that rename rules edit: its readable form where
// that is text of the name (UTF-8, CP932), else the name itself, whose bytes
// that are no text stay carried as they are, one character each, so a rule
// keeps them and two such names never become one.
QString editableFileName(const QString& name);

}  // namespace platform
