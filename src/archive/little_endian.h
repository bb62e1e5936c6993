#pragma once

#include <QByteArray>
#include <QtGlobal>

// The unsigned number of size bytes (at most 8) stored least significant
// first at bytes[at], as archive headers store their fields.
inline quint64 littleEndian(const QByteArray& bytes, qint64 at, int size)
{
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}
