#include "archive/macbinary_check.h"

#include "archive/lhasa_library.h"
#include "archive/lzh_crc16.h"

#include <cerrno>
#include <unistd.h>

namespace MacBinaryCheck {

namespace {

// The member's stored bytes, read from the archive at their place.
struct StoredBytes {
    int fd;
    qint64 at;
    qint64 left;
};

size_t readStored(void* buffer, size_t length, void* handle)
{
    auto* stored = static_cast<StoredBytes*>(handle);
    const size_t wanted = size_t(qMin<qint64>(qint64(length), stored->left));
    ssize_t got;
    do
        got = ::pread(stored->fd, buffer, wanted, off_t(stored->at));
    while (got < 0 && errno == EINTR);
    if (got <= 0)
        return 0;
    stored->at += got;
    stored->left -= got;
    return size_t(got);
}

}  // namespace

bool isWholeAfterHeader(const LhasaLibrary& library, int fd, qint64 dataAt, const _LHAFileHeader& header,
                        qint64 outputLength, quint16 outputCrc)
{
    const qint64 length = qint64(header.length);
    if (outputLength > length - HeaderSize)
        return false;
    LHADecoderType* type = library.decoderForName(const_cast<char*>(header.compress_method));
    StoredBytes stored{fd, dataAt, qint64(header.compressed_length)};
    LHADecoder* decoder = type ? library.decoderNew(type, readStored, &stored, header.length) : nullptr;
    if (!decoder)
        return false;
    const Crc16& crc16 = Crc16::instance();
    quint16 crc = 0;
    qint64 position = 0;  // in the stream as stored
    const qint64 from = HeaderSize;
    const qint64 to = HeaderSize + outputLength;
    uint8_t buffer[64 * 1024];
    for (size_t got; (got = library.decoderRead(decoder, buffer, sizeof buffer)) > 0; position += qint64(got)) {
        const qint64 begin = qMax(position, from);
        const qint64 end = qMin(position + qint64(got), to);
        if (begin < end)
            crc = crc16.update(crc, reinterpret_cast<const char*>(buffer) + (begin - position), size_t(end - begin));
    }
    const bool whole = qint64(library.decoderGetLength(decoder)) == length
                       && library.decoderGetCrc(decoder) == header.crc;
    library.decoderFree(decoder);
    return whole && crc == outputCrc;
}

}  // namespace MacBinaryCheck
