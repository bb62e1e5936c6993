#include "archive/lhasa_member_reader.h"

#include "archive/lhasa_library.h"
#include "archive/lzh_header_name.h"
#include "archive/member_file.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"


#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The archive file as liblhasa reads it, through a buffer: liblhasa asks for
// a few bytes at a time. The position counts every byte taken, so that the
// reader can tell where the header it failed on began.
struct ArchiveStream {
    int fd = -1;
    qint64 position = 0;
    qint64 size = 0;
    std::vector<char> buffer = std::vector<char>(256 * 1024);
    size_t begin = 0;  // the unread bytes of the buffer
    size_t end = 0;

    ssize_t fill()
    {
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR)
                continue;
            begin = 0;
            end = got > 0 ? size_t(got) : 0;
            return got;
        }
    }
};

int readStream(void* handle, void* target, size_t length)
{
    auto* stream = static_cast<ArchiveStream*>(handle);
    size_t total = 0;
    while (total < length) {
        if (stream->begin == stream->end) {
            const ssize_t got = stream->fill();
            if (got < 0 && total == 0)
                return -1;
            if (got <= 0)
                break;
        }
        const size_t part = qMin(length - total, stream->end - stream->begin);
        std::memcpy(static_cast<char*>(target) + total, stream->buffer.data() + stream->begin, part);
        stream->begin += part;
        total += part;
    }
    stream->position += qint64(total);
    return int(total);
}

int skipStream(void* handle, size_t bytes)
{
    auto* stream = static_cast<ArchiveStream*>(handle);
    const size_t buffered = stream->end - stream->begin;
    if (bytes <= buffered) {
        stream->begin += bytes;
    } else {
        if (::lseek(stream->fd, off_t(bytes - buffered), SEEK_CUR) < 0)
            return 0;
        stream->begin = stream->end = 0;
    }
    stream->position += qint64(bytes);
    return 1;
}

const LHAInputStreamType streamType = {readStream, skipStream, nullptr};

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

}  // namespace

struct LhasaMemberReader::State {
    const LhasaLibrary& library;
    ArchiveStream stream;
    LHAInputStream* input = nullptr;
    LHAReader* reader = nullptr;
    LHAFileHeader* current = nullptr;
    bool hasMember = false;
    qint64 nextHeaderAt = 0;

    explicit State(const LhasaLibrary& lib) : library(lib) {}

    // liblhasa gives back no header both at the end of the archive and at a
    // header it cannot read. The end is where the data of the last member
    // ends, at the end of the file or at the zero byte that closes the archive.
    bool atEnd() const
    {
        if (!hasMember || nextHeaderAt > stream.size)
            return false;
        if (nextHeaderAt == stream.size)
            return true;
        char first = 1;
        return ::pread(stream.fd, &first, 1, off_t(nextHeaderAt)) == 1 && first == 0;
    }
};

LhasaMemberReader::LhasaMemberReader(const LhasaLibrary& library, const QString& archivePath)
    : state_(std::make_unique<State>(library))
{
    State& s = *state_;
    s.stream.fd = ::open(platform::encodeFileName(archivePath).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (s.stream.fd < 0 || ::fstat(s.stream.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return;
    s.stream.size = info.st_size;
    s.input = library.inputStreamNew(&streamType, &s.stream);
    if (s.input)
        s.reader = library.readerNew(s.input);
}

LhasaMemberReader::~LhasaMemberReader()
{
    State& s = *state_;
    if (s.reader)
        s.library.readerFree(s.reader);
    if (s.input)
        s.library.inputStreamFree(s.input);
    if (s.stream.fd >= 0)
        ::close(s.stream.fd);
}

MemberReader::Step LhasaMemberReader::next(ArchiveMember& member)
{
    State& s = *state_;
    if (!s.reader)
        return Step::Broken;
    s.current = s.library.readerNextFile(s.reader);
    if (!s.current)
        return s.atEnd() ? Step::End : Step::Broken;
    s.hasMember = true;
    s.nextHeaderAt = s.stream.position + qint64(s.current->compressed_length);

    const LzhHeaderName::RawName raw = LzhHeaderName::fromHeader(
        QByteArray(reinterpret_cast<const char*>(s.current->raw_data), int(s.current->raw_data_len)));
    member.name = MemberNames::decode(raw.path, raw.isUtf8);
    member.declaredSize = 0;
    member.encrypted = false;
    if (std::strcmp(s.current->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) {
        member.kind = s.current->symlink_target ? ArchiveMember::Kind::Link : ArchiveMember::Kind::Folder;
        return Step::Member;
    }
    if (!s.library.decoderForName(s.current->compress_method))
        return Step::Broken;
    member.kind = ArchiveMember::Kind::File;
    member.declaredSize = qint64(s.current->length);
    return Step::Member;
}

MemberWrite LhasaMemberReader::extractTo(const QString& path)
{
    State& s = *state_;
    if (!s.current)
        return MemberWrite::Damaged;
    // The data is decoded here rather than by liblhasa's own extraction, which
    // would apply the archive's owner and mode bits or make the file 0600.
    MemberFile file(path, qint64(s.current->length));
    char buffer[64 * 1024];
    const Crc16& crc16 = Crc16::instance();
    quint16 crc = 0;
    for (;;) {
        const size_t got = s.library.readerRead(s.reader, buffer, sizeof buffer);
        if (got == 0)
            break;
        crc = crc16.update(crc, buffer, got);
        if (!file.append(buffer, got))
            break;
    }
    const bool whole = file.failure() == MemberWrite::Written && file.written() == qint64(s.current->length)
                       && crc == s.current->crc;
    const MemberWrite written = file.finish(s.current->timestamp ? std::time_t(s.current->timestamp) : -1);
    if (written == MemberWrite::Written && !whole)
        return MemberWrite::Damaged;
    return written;
}
