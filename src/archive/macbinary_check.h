#pragma once

#include <QtGlobal>

struct LhasaLibrary;
struct _LHAFileHeader;

// MacLHA wraps a member in a MacBinary header, which liblhasa strips while
// reading, checking length and CRC on the stream it stripped. What liblhasa
// handed over is then shorter than the header says and fails the header's
// CRC, although the member is whole. The stream is decoded once more here,
// as stored, to tell such a member from a damaged one.
namespace MacBinaryCheck {

constexpr qint64 HeaderSize = 128;

// True when the member's data at dataAt of the archive open as fd decodes
// to the length and CRC its header gives, and the output liblhasa handed
// over (length, CRC) is that data after its MacBinary header.
bool isWholeAfterHeader(const LhasaLibrary& library, int fd, qint64 dataAt, const _LHAFileHeader& header,
                        qint64 outputLength, quint16 outputCrc);

}  // namespace MacBinaryCheck
