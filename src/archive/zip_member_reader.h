#pragma once

#include "archive/member_reader.h"
#include "archive/zip_directory.h"

#include <memory>
#include <optional>

struct LibarchiveLibrary;
class LibarchiveMemberReader;

// ZIP members through libarchive: through the central directory, and where
// that cannot be used or the archive breaks, header by header from the next
// member's place (the directory's offsets, or the start of a file without
// one), so that one unreadable member costs no other. A member lost so is
// returned under its directory name, as unreadable.
class ZipMemberReader : public MemberReader {
public:
    ZipMemberReader(const LibarchiveLibrary& library, const QString& archivePath,
                    std::optional<ZipDirectory::Directory> directory);
    ~ZipMemberReader() override;
    ZipMemberReader(const ZipMemberReader&) = delete;
    ZipMemberReader& operator=(const ZipMemberReader&) = delete;

    Step next(ArchiveMember& member) override;
    MemberWrite extractTo(int fd, platform::DataProgress* progress) override;

private:
    const ZipDirectory::Entry* entryAt(int index) const;
    void readOnFrom(qint64 offset);

    const LibarchiveLibrary& library_;
    const QString archivePath_;
    const std::optional<ZipDirectory::Directory> directory_;
    std::unique_ptr<LibarchiveMemberReader> reader_;
    bool streaming_ = false;
    int index_ = 0;            // the directory entry of the next member
    int resumedAt_ = -1;       // the entry the streaming reader last began at
};
