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

// What lists, fields and messages show of a name or path: UTF-8 as it is;
// else, when the bytes are valid CP932 (Shift_JIS names of older Japanese
// programs), that text; else the foreign bytes as replacement characters;
// a path read name by name. Each line break shows as "⏎" (a break would hide
// the rest of the name); one character stands for one, so positions read off
// the screen hold.
QString readableFileName(const QString& name);

// The form of a bare name that rename rules edit: its text where it is text
// (UTF-8, CP932; line breaks stay breaks), else the name itself, whose bytes
// that are no text stay carried as they are, one character each, so a rule
// keeps them and two such names never become one.
QString editableFileName(const QString& name);

}  // namespace platform
