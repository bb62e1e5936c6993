#pragma once

#include <QByteArray>
#include <QtGlobal>

// Whether length bytes from offset lie within size bytes. Subtracts, never
// adds: an archive's offsets and sizes may be anything up to 2^64.
inline bool spanFits(qint64 offset, qint64 length, qint64 size)
{
    return offset >= 0 && length >= 0 && offset <= size && length <= size - offset;
}

// The unsigned number of size bytes (at most 8) stored least significant
// first at bytes[at], as archive headers store their fields; the caller has
// checked that they lie within bytes.
inline quint64 littleEndian(const QByteArray& bytes, qint64 at, int size)
{
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}
