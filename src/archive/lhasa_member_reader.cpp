#include "archive/lhasa_member_reader.h"

#include "archive/lhasa_library.h"
#include "archive/lzh_header_name.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"


#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The archive file as liblhasa reads it. The position counts every byte
// taken, so that the reader can tell where the header it failed on began.
struct ArchiveStream {
    int fd = -1;
    qint64 position = 0;
    qint64 size = 0;
};

int readStream(void* handle, void* buffer, size_t length)
{
    auto* stream = static_cast<ArchiveStream*>(handle);
    size_t total = 0;
    while (total < length) {
        const ssize_t got = ::read(stream->fd, static_cast<char*>(buffer) + total, length - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return total ? int(total) : -1;
        if (got == 0)
            break;
        total += size_t(got);
    }
    stream->position += qint64(total);
    return int(total);
}

int skipStream(void* handle, size_t bytes)
{
    auto* stream = static_cast<ArchiveStream*>(handle);
    if (::lseek(stream->fd, off_t(bytes), SEEK_CUR) < 0)
        return 0;
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
    if (std::strcmp(s.current->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) {
        member.kind = s.current->symlink_target ? ArchiveMember::Kind::Link : ArchiveMember::Kind::Folder;
        return Step::Member;
    }
    if (!s.library.decoderForName(s.current->compress_method))
        return Step::Broken;
    member.kind = ArchiveMember::Kind::File;
    return Step::Member;
}

bool LhasaMemberReader::extractTo(const QString& path)
{
    State& s = *state_;
    if (!s.current)
        return false;
    // Owner and permission bits from the archive are not applied: the file
    // gets the user's defaults, never a set-user-ID bit.
    s.current->extra_flags &= ~unsigned(LHA_FILE_UNIX_PERMS | LHA_FILE_UNIX_UID_GID);
    QByteArray target = platform::encodeFileName(path);
    return s.library.readerExtract(s.reader, target.data(), nullptr, nullptr) != 0;
}
