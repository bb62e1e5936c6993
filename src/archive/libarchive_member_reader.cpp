#include "archive/libarchive_member_reader.h"

#include "archive/libarchive_library.h"
#include "archive/member_file.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"


#include <limits>
#include <locale.h>

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

}  // namespace

struct LibarchiveMemberReader::State {
    Utf8ThreadLocale locale;
    const LibarchiveLibrary& library;
    archive* reader = nullptr;
    archive_entry* current = nullptr;
    Format format;
    bool opened = false;

    State(const LibarchiveLibrary& lib, Format kind) : library(lib), format(kind) {}
};

LibarchiveMemberReader::LibarchiveMemberReader(const LibarchiveLibrary& library, const QString& archivePath,
                                               Format format)
    : state_(std::make_unique<State>(library, format))
{
    State& s = *state_;
    s.reader = library.readNew();
    if (!s.reader)
        return;
    const int supported = format == Format::Zip ? library.supportZip(s.reader) : library.supportLha(s.reader);
    if (supported != ARCHIVE_OK)
        return;
    // ZIP names not marked UTF-8 come through as stored and are decoded here:
    // a conversion that fails in libarchive would leave no name at all. LZH
    // names are CP932; a libarchive built without character set conversion
    // refuses the option and gives them as stored.
    if (format == Format::Lzh)
        library.setFormatOption(s.reader, "lha", "hdrcharset", "CP932");
    s.opened = library.openFileName(s.reader, platform::encodeFileName(archivePath).constData(), 10240) == ARCHIVE_OK;
}

LibarchiveMemberReader::~LibarchiveMemberReader()
{
    if (state_->reader)
        state_->library.readFree(state_->reader);
}

QString LibarchiveMemberReader::nameOf(const State& s)
{
    if (s.format == Format::Lzh) {
        if (const char* name = s.library.pathnameUtf8(s.current))
            return QString::fromUtf8(name);
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
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        s.opened = false;
        return Step::Broken;
    }
    member.name = nameOf(s);
    member.declaredSize = s.library.sizeIsSet(s.current) ? s.library.size(s.current)
                                                         : std::numeric_limits<qint64>::max();
    member.encrypted = s.library.isEncrypted(s.current) != 0;
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

MemberWrite LibarchiveMemberReader::extractTo(const QString& path)
{
    State& s = *state_;
    MemberFile file(path, s.library.sizeIsSet(s.current) ? s.library.size(s.current)
                                                         : std::numeric_limits<qint64>::max());
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = s.library.dataBlock(s.reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            break;
        // A damaged member (a wrong CRC) comes as a warning.
        if (status != ARCHIVE_OK) {
            file.finish(-1);
            return s.library.isEncrypted(s.current) ? MemberWrite::Encrypted : MemberWrite::Damaged;
        }
        if (!file.write(static_cast<const char*>(block), size, offset))
            break;
    }
    return file.finish(s.library.modificationTimeIsSet(s.current) ? s.library.modificationTime(s.current) : -1);
}
