#pragma once

#include "archive/member_reader.h"

#include <memory>

struct LibarchiveLibrary;

// ZIP members (the central directory is read) or LZH members through
// libarchive. ZIP names not marked UTF-8 are decoded as MemberNames reads
// unmarked names; LZH names as CP932.
class LibarchiveMemberReader : public MemberReader {
public:
    enum class Format { Zip, Lzh };

    LibarchiveMemberReader(const LibarchiveLibrary& library, const QString& archivePath, Format format);
    ~LibarchiveMemberReader() override;
    LibarchiveMemberReader(const LibarchiveMemberReader&) = delete;
    LibarchiveMemberReader& operator=(const LibarchiveMemberReader&) = delete;

    Step next(ArchiveMember& member) override;
    MemberWrite extractTo(const QString& path) override;

private:
    struct State;
    static QString nameOf(const State& s);
    std::unique_ptr<State> state_;
};
