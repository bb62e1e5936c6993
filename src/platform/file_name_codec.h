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

// The name as text: UTF-8 as it is; else, when the bytes are valid CP932
// (Shift_JIS names of older Japanese programs), that text; else the foreign
// bytes as replacement characters. A path is decoded name by name. This is
// the text the rename rules work on.
QString fileNameAsText(const QString& name);

// What lists, fields and messages show of a name or path: its text, each
// line break in it shown as "⏎" (a break would hide the rest of the name).
// One character stands for one, so positions read off the screen hold.
QString readableFileName(const QString& name);

}  // namespace platform
