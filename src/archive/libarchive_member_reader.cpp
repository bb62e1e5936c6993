#include "archive/libarchive_member_reader.h"

#include "archive/libarchive_library.h"
#include "archive/member_file.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"

#include <fcntl.h>
#include <limits>
#include <locale.h>
#include <unistd.h>

namespace {

// libarchive converts names into the thread's character set; with UTF-8 in
// force for this thread no Japanese name is lost, whatever the user's locale.
// Readers may overlap (one ZIP reader takes over from another): the first
// one in sets the locale, the last one out puts the thread's back.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale()
    {
        if (depth()++ == 0 && utf8())
            previous() = ::uselocale(utf8());
    }
    ~Utf8ThreadLocale()
    {
        if (--depth() == 0 && utf8())
            ::uselocale(previous());
    }
    Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
    Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
    static locale_t utf8()
    {
        static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
        return locale;
    }
    static int& depth()
    {
        static thread_local int readers = 0;
        return readers;
    }
    static locale_t& previous()
    {
        static thread_local locale_t locale = locale_t(nullptr);
        return locale;
    }
};

}  // namespace

struct LibarchiveMemberReader::State {
    Utf8ThreadLocale locale;
    const LibarchiveLibrary& library;
    archive* reader = nullptr;
    archive_entry* current = nullptr;
    Format format;
    int fd = -1;
    bool opened = false;
    bool brokeInData = false;

    State(const LibarchiveLibrary& lib, Format kind) : library(lib), format(kind) {}

    qint64 declaredSize() const
    {
        return library.sizeIsSet(current) ? library.size(current) : std::numeric_limits<qint64>::max();
    }
};

LibarchiveMemberReader::LibarchiveMemberReader(const LibarchiveLibrary& library, const QString& archivePath,
                                               Format format, qint64 startOffset)
    : state_(std::make_unique<State>(library, format))
{
    State& s = *state_;
    s.reader = library.readNew();
    if (!s.reader)
        return;
    const int supported = format == Format::Zip            ? library.supportZip(s.reader)
                          : format == Format::ZipStreaming ? library.supportZipStreaming(s.reader)
                                                           : library.supportLha(s.reader);
    if (supported != ARCHIVE_OK)
        return;
    // libarchive refuses an LZH name it cannot convert and gives no bytes of
    // it: LZH names are read as CP932, the code page of nearly all of them.
    // A libarchive built without character set conversion refuses the option
    // and gives them as stored.
    if (format == Format::Lzh)
        library.setFormatOption(s.reader, "lha", "hdrcharset", "CP932");
    // Opened by its exact bytes: the path may hold a name that is not UTF-8.
    s.fd = ::open(platform::encodeFileName(archivePath).constData(), O_RDONLY | O_CLOEXEC);
    // libarchive reads a descriptor from where it stands.
    if (s.fd < 0 || ::lseek(s.fd, off_t(startOffset), SEEK_SET) != off_t(startOffset))
        return;
    s.opened = library.openFd(s.reader, s.fd, 64 * 1024) == ARCHIVE_OK;
}

LibarchiveMemberReader::~LibarchiveMemberReader()
{
    if (state_->reader)
        state_->library.readFree(state_->reader);
    if (state_->fd >= 0)
        ::close(state_->fd);
}

bool LibarchiveMemberReader::brokeInData() const
{
    return state_->brokeInData;
}

QString LibarchiveMemberReader::nameOf(const State& s)
{
    if (s.format == Format::Lzh) {
        const char* name = s.library.pathnameUtf8(s.current);
        return name ? QString::fromUtf8(name) : QString();
    }
    // With UTF-8 in force for this thread, a name marked UTF-8 comes as UTF-8
    // and any other as its bytes.
    const char* raw = s.library.pathname(s.current);
    return raw ? MemberNames::decodeUnmarked(QByteArray(raw)) : QString();
}

MemberReader::Step LibarchiveMemberReader::next(ArchiveMember& member)
{
    State& s = *state_;
    if (!s.opened)
        return Step::Broken;
    const int status = s.library.nextHeader(s.reader, &s.current);
    if (status == ARCHIVE_EOF)
        return Step::End;
    if (status == ARCHIVE_FATAL || (status != ARCHIVE_OK && status != ARCHIVE_WARN && status != ARCHIVE_FAILED)) {
        s.opened = false;
        return Step::Broken;
    }
    member.name = nameOf(s);
    member.declaredSize = s.declaredSize();
    member.encrypted = s.library.isEncrypted(s.current) != 0;
    // A member libarchive could not make out, but can read past.
    member.obstacle = status == ARCHIVE_FAILED ? ArchiveMember::Obstacle::Unreadable : ArchiveMember::Obstacle::None;
    switch (s.library.fileType(s.current)) {
    case AE_IFREG:
        member.kind = s.library.hardlink(s.current) ? ArchiveMember::Kind::Link : ArchiveMember::Kind::File;
        break;
    case AE_IFDIR: member.kind = ArchiveMember::Kind::Folder; break;
    case AE_IFLNK: member.kind = ArchiveMember::Kind::Link; break;
    default:
        member.kind = status == ARCHIVE_FAILED ? ArchiveMember::Kind::File : ArchiveMember::Kind::Special;
        break;
    }
    return Step::Member;
}

MemberWrite LibarchiveMemberReader::extractTo(int fd, platform::DataProgress* progress)
{
    State& s = *state_;
    const qint64 declared = s.declaredSize();
    MemberFile file(fd, declared, progress);
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = s.library.dataBlock(s.reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            break;
        // A damaged member (a wrong CRC) comes as a warning.
        if (status != ARCHIVE_OK) {
            s.brokeInData = status == ARCHIVE_FATAL;
            file.finish(-1);
            if (s.library.isEncrypted(s.current))
                return MemberWrite::Encrypted;
            return file.written() < declared && declared != std::numeric_limits<qint64>::max() && s.brokeInData
                       ? MemberWrite::Cut
                       : MemberWrite::Damaged;
        }
        if (!file.write(static_cast<const char*>(block), size, offset))
            break;
    }
    const bool whole = declared == std::numeric_limits<qint64>::max() || file.written() == declared;
    const MemberWrite written =
        file.finish(s.library.modificationTimeIsSet(s.current) ? s.library.modificationTime(s.current) : -1);
    return written == MemberWrite::Written && !whole ? MemberWrite::Cut : written;
}
