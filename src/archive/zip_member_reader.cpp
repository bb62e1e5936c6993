#include "archive/zip_member_reader.h"

#include "archive/libarchive_member_reader.h"
#include "archive/member_names.h"

#include <limits>
#include <unistd.h>

ZipMemberReader::ZipMemberReader(const LibarchiveLibrary& library, const QString& archivePath,
                                 std::optional<ZipDirectory::Directory> directory)
    : library_(library),
      archivePath_(archivePath),
      directory_(std::move(directory)),
      reader_(std::make_unique<LibarchiveMemberReader>(library, archivePath, LibarchiveMemberReader::Format::Zip))
{
}

ZipMemberReader::~ZipMemberReader() = default;

const ZipDirectory::Entry* ZipMemberReader::entryAt(int index) const
{
    return directory_ && index >= 0 && index < directory_->entries.size() ? &directory_->entries.at(index) : nullptr;
}

void ZipMemberReader::readOnFrom(qint64 offset)
{
    streaming_ = true;
    resumedAt_ = index_;
    reader_ = std::make_unique<LibarchiveMemberReader>(library_, archivePath_,
                                                       LibarchiveMemberReader::Format::ZipStreaming, offset);
}

MemberReader::Step ZipMemberReader::next(ArchiveMember& member)
{
    if (directory_ && directory_->encrypted)
        return Step::Broken;
    // Every entry of the directory is done with.
    if (!reader_)
        return Step::End;
    for (;;) {
        const Step step = reader_->next(member);
        if (step == Step::Member) {
            // libarchive gives no name for one flagged UTF-8 whose bytes are not.
            if (member.name.isEmpty())
                if (const ZipDirectory::Entry* entry = entryAt(index_))
                    member.name = MemberNames::decodeUnmarked(entry->rawName);
            ++index_;
            return Step::Member;
        }
        if (step == Step::End)
            return Step::End;
        if (!streaming_ && index_ == 0) {
            readOnFrom(entryAt(0) ? entryAt(0)->localHeaderOffset : 0);
            continue;
        }
        const ZipDirectory::Entry* entry = entryAt(index_);
        if (!entry)
            return directory_ && index_ > 0 && index_ == directory_->entries.size() ? Step::End : Step::Broken;
        // Broken within a member's data: the member is already reported, the next one may read.
        if (reader_->brokeInData() && resumedAt_ != index_) {
            readOnFrom(entry->localHeaderOffset);
            continue;
        }
        // Broken at this entry's header: it is lost, and the next one may read.
        member = ArchiveMember();
        member.name = MemberNames::decodeUnmarked(entry->rawName);
        member.kind = entry->isFolder ? ArchiveMember::Kind::Folder : ArchiveMember::Kind::File;
        member.declaredSize = qint64(qMin<quint64>(entry->size, quint64(std::numeric_limits<qint64>::max())));
        member.obstacle = ArchiveMember::Obstacle::Unreadable;
        ++index_;
        if (const ZipDirectory::Entry* following = entryAt(index_))
            readOnFrom(following->localHeaderOffset);
        else
            reader_.reset();
        return Step::Member;
    }
}

MemberWrite ZipMemberReader::extractTo(int fd, platform::DataProgress* progress)
{
    if (reader_)
        return reader_->extractTo(fd, progress);
    ::close(fd);
    return MemberWrite::Damaged;
}
