#include "archive/libarchive_member_reader.h"

#include "archive/libarchive_library.h"
#include "platform/file_name_codec.h"


#include <cerrno>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// libarchive converts names into the thread's character set; with UTF-8 in
// force for this thread no Japanese name is lost, whatever the user's locale.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale() : utf8_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr)))
    {
        if (utf8_)
            previous_ = ::uselocale(utf8_);
    }
    ~Utf8ThreadLocale()
    {
        if (utf8_) {
            ::uselocale(previous_);
            ::freelocale(utf8_);
        }
    }
    Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
    Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = locale_t(nullptr);
};

bool writeAll(int fd, const char* data, size_t size, qint64 offset)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= size_t(written);
        offset += written;
    }
    return true;
}

}  // namespace

struct LibarchiveMemberReader::State {
    Utf8ThreadLocale locale;
    const LibarchiveLibrary& library;
    archive* reader = nullptr;
    archive_entry* current = nullptr;
    bool opened = false;

    explicit State(const LibarchiveLibrary& lib) : library(lib) {}
};

LibarchiveMemberReader::LibarchiveMemberReader(const LibarchiveLibrary& library, const QString& archivePath,
                                               Format format)
    : state_(std::make_unique<State>(library))
{
    State& s = *state_;
    s.reader = library.readNew();
    if (!s.reader)
        return;
    const int supported = format == Format::Zip ? library.supportZip(s.reader) : library.supportLha(s.reader);
    if (supported != ARCHIVE_OK)
        return;
    // A libarchive built without character set conversion refuses this;
    // the archive is still read, its names as stored.
    library.setFormatOption(s.reader, format == Format::Zip ? "zip" : "lha", "hdrcharset", "CP932");
    s.opened = library.openFileName(s.reader, platform::encodeFileName(archivePath).constData(), 64 * 1024) == ARCHIVE_OK;
}

LibarchiveMemberReader::~LibarchiveMemberReader()
{
    if (state_->reader)
        state_->library.readFree(state_->reader);
}

MemberReader::Step LibarchiveMemberReader::next(ArchiveMember& member)
{
    State& s = *state_;
    if (!s.opened)
        return Step::Broken;
    const int status = s.library.nextHeader(s.reader, &s.current);
    if (status == ARCHIVE_EOF)
        return Step::End;
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        s.opened = false;
        return Step::Broken;
    }
    const char* name = s.library.pathnameUtf8(s.current);
    member.name = name ? QString::fromUtf8(name) : QString();
    switch (s.library.fileType(s.current)) {
    case AE_IFREG:
        member.kind = s.library.hardlink(s.current) ? ArchiveMember::Kind::Link : ArchiveMember::Kind::File;
        break;
    case AE_IFDIR: member.kind = ArchiveMember::Kind::Folder; break;
    case AE_IFLNK: member.kind = ArchiveMember::Kind::Link; break;
    default: member.kind = ArchiveMember::Kind::Special; break;
    }
    return Step::Member;
}

bool LibarchiveMemberReader::extractTo(const QString& path)
{
    State& s = *state_;
    const int fd = ::open(platform::encodeFileName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0666);
    if (fd < 0)
        return false;
    bool written = true;
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = s.library.dataBlock(s.reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            break;
        // A damaged member (a wrong CRC) comes as a warning.
        if (status != ARCHIVE_OK) {
            written = false;
            break;
        }
        if (!writeAll(fd, static_cast<const char*>(block), size, offset)) {
            written = false;
            break;
        }
    }
    if (written && s.library.modificationTimeIsSet(s.current)) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {s.library.modificationTime(s.current), 0}};
        ::futimens(fd, times);
    }
    return ::close(fd) == 0 && written;
}
