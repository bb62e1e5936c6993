#pragma once

#include "archive/member_reader.h"

#include <memory>

struct LibarchiveLibrary;

// ZIP or LZH members through libarchive. A ZIP is read through its central
// directory, or header by header from a given offset (the streaming reader,
// for an archive whose directory cannot be used). ZIP names not marked UTF-8
// are decided by their bytes (MemberNames); a name libarchive cannot give
// (one flagged UTF-8 whose bytes are not) comes empty. LZH names are CP932.
class LibarchiveMemberReader : public MemberReader {
public:
    enum class Format { Zip, ZipStreaming, Lzh };

    LibarchiveMemberReader(const LibarchiveLibrary& library, const QString& archivePath, Format format,
                           qint64 startOffset = 0);
    ~LibarchiveMemberReader() override;
    LibarchiveMemberReader(const LibarchiveMemberReader&) = delete;
    LibarchiveMemberReader& operator=(const LibarchiveMemberReader&) = delete;

    Step next(ArchiveMember& member) override;
    MemberWrite extractTo(int fd, platform::DataProgress* progress) override;

    // The archive broke while the data of the member last returned was read,
    // not at a header.
    bool brokeInData() const;

private:
    struct State;
    static QString nameOf(const State& s);
    std::unique_ptr<State> state_;
};
