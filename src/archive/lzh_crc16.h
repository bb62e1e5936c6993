#pragma once

#include <QtGlobal>

#include <cstddef>

// LHA's CRC-16 (polynomial 0xA001, reflected, from 0), eight bytes a step:
// byte by byte it would cost as much as liblhasa's whole decoding.
class Crc16 {
public:
    quint16 update(quint16 crc, const char* data, size_t size) const
    {
        const auto* bytes = reinterpret_cast<const quint8*>(data);
        for (; size >= 8; bytes += 8, size -= 8) {
            crc = quint16(tables_[7][(crc ^ bytes[0]) & 0xFF] ^ tables_[6][(crc >> 8) ^ bytes[1]]
                          ^ tables_[5][bytes[2]] ^ tables_[4][bytes[3]] ^ tables_[3][bytes[4]]
                          ^ tables_[2][bytes[5]] ^ tables_[1][bytes[6]] ^ tables_[0][bytes[7]]);
        }
        for (; size > 0; ++bytes, --size)
            crc = quint16((crc >> 8) ^ tables_[0][(crc ^ *bytes) & 0xFF]);
        return crc;
    }

    static const Crc16& instance()
    {
        static const Crc16 crc;
        return crc;
    }

private:
    Crc16()
    {
        for (unsigned i = 0; i < 256; ++i) {
            unsigned value = i;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? (value >> 1) ^ 0xA001 : value >> 1;
            tables_[0][i] = quint16(value);
        }
        for (int k = 1; k < 8; ++k) {
            for (unsigned i = 0; i < 256; ++i)
                tables_[k][i] = quint16((tables_[k - 1][i] >> 8) ^ tables_[0][tables_[k - 1][i] & 0xFF]);
        }
    }

    quint16 tables_[8][256];
};
