#pragma once

#include <QByteArray>
#include <QString>

// The two encodings Japanese names come in: UTF-8, and CP932 (Shift_JIS as
// Japanese Windows writes it, in older programs and in archives).
namespace platform {

// Length of the well-formed UTF-8 sequence that starts at data[at], or 0 when
// none does. Well-formed as RFC 3629 has it: no overlong form, no surrogate,
// nothing above U+10FFFF.
int utf8SequenceLength(const char* data, qsizetype at, qsizetype size);

// True when all of bytes is well-formed UTF-8.
bool isStrictUtf8(const QByteArray& bytes);

bool isAscii(const QByteArray& bytes);

// The bytes read as CP932, or a null string when they are not valid CP932.
QString cp932Text(const QByteArray& bytes);

// The bytes read as CP932, each byte that starts no valid sequence as U+FFFD:
// nothing is dropped in silence.
QString cp932TextMarkingInvalid(const QByteArray& bytes);

}  // namespace platform
