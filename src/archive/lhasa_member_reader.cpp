#include "archive/lhasa_member_reader.h"

#include "archive/lhasa_library.h"
#include "archive/lzh_crc16.h"
#include "archive/lzh_header.h"
#include "archive/macbinary_check.h"
#include "archive/member_file.h"
#include "platform/file_name_codec.h"

#include <cerrno>
#include <cstring>
#include <limits>
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

}  // namespace

struct LhasaMemberReader::State {
    const LhasaLibrary& library;
    ArchiveStream stream;
    LHAInputStream* input = nullptr;
    LHAReader* reader = nullptr;
    LHAFileHeader* current = nullptr;
    bool hasMember = false;
    bool cut = false;  // a member's data runs past the end of the file
    qint64 dataAt = 0;
    qint64 nextHeaderAt = 0;

    explicit State(const LhasaLibrary& lib) : library(lib) {}

    // Passes over bytes of the archive that liblhasa does not know of;
    // false when the file ends before them.
    bool skipUnread(quint64 bytes)
    {
        return bytes <= quint64(qMax<qint64>(stream.size - stream.position, 0)) && skipStream(&stream, size_t(bytes));
    }

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
    if (!s.reader || s.cut)
        return Step::Broken;
    s.current = s.library.readerNextFile(s.reader);
    if (!s.current)
        return s.atEnd() ? Step::End : Step::Broken;
    s.hasMember = true;
    s.dataAt = s.stream.position;

    const LzhHeader::Fields fields = LzhHeader::parse(
        QByteArray(reinterpret_cast<const char*>(s.current->raw_data), int(s.current->raw_data_len)));
    member.name = LzhHeader::nameOf(fields);
    member.declaredSize = 0;
    member.encrypted = false;
    member.obstacle = ArchiveMember::Obstacle::None;
    quint64 packedSize = s.current->compressed_length;
    // liblhasa takes the low 32 bits of a 64-bit size: the member is refused
    // and its data skipped whole.
    if (fields.originalSize && (*fields.originalSize != s.current->length || *fields.packedSize != packedSize)) {
        member.obstacle = ArchiveMember::Obstacle::SizeBeyondReader;
        if (*fields.packedSize > packedSize) {
            s.cut = !s.skipUnread(*fields.packedSize - packedSize);
            packedSize = *fields.packedSize;
        }
    }
    const quint64 left = quint64(qMax<qint64>(s.stream.size - s.stream.position, 0));
    s.nextHeaderAt = packedSize <= left ? s.stream.position + qint64(packedSize) : s.stream.size + 1;
    if (std::strcmp(s.current->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) {
        member.kind = s.current->symlink_target ? ArchiveMember::Kind::Link : ArchiveMember::Kind::Folder;
        // A link is stored as "name|target": the target is no part of its name.
        if (member.kind == ArchiveMember::Kind::Link)
            member.name = member.name.section(QLatin1Char('|'), 0, 0);
        return Step::Member;
    }
    member.kind = ArchiveMember::Kind::File;
    member.declaredSize = fields.originalSize ? qint64(qMin<quint64>(*fields.originalSize, quint64(std::numeric_limits<qint64>::max())))
                                              : qint64(s.current->length);
    if (!s.library.decoderForName(s.current->compress_method))
        member.obstacle = ArchiveMember::Obstacle::UnsupportedMethod;
    return Step::Member;
}

MemberWrite LhasaMemberReader::extractTo(int fd, platform::DataProgress* progress)
{
    State& s = *state_;
    MemberFile file(fd, qint64(s.current->length), progress);
    // The data is decoded here rather than by liblhasa's own extraction, which
    // would apply the archive's owner and mode bits or make the file 0600.
    char buffer[64 * 1024];
    const Crc16& crc16 = Crc16::instance();
    quint16 crc = 0;
    for (size_t got; (got = s.library.readerRead(s.reader, buffer, sizeof buffer)) > 0;) {
        crc = crc16.update(crc, buffer, got);
        if (!file.append(buffer, got))
            break;
    }
    const qint64 length = qint64(s.current->length);
    const bool whole = file.failure() == MemberWrite::Written
                       && ((file.written() == length && crc == s.current->crc)
                           || (file.written() < length
                               && MacBinaryCheck::isWholeAfterHeader(s.library, s.stream.fd, s.dataAt, *s.current,
                                                                     file.written(), crc)));
    const MemberWrite written = file.finish(s.current->timestamp ? std::time_t(s.current->timestamp) : -1);
    if (written != MemberWrite::Written || whole)
        return written;
    // LHARK wrote -lh7- in a form of its own, in the headers of its day;
    // such data fails like damaged data.
    if (std::strcmp(s.current->compress_method, "-lh7-") == 0 && s.current->header_level <= 1)
        return MemberWrite::UnsupportedOrDamaged;
    return file.written() < length ? MemberWrite::Cut : MemberWrite::Damaged;
}
