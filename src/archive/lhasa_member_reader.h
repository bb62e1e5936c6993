#pragma once

#include "archive/member_reader.h"

#include <memory>

struct LhasaLibrary;

// LZH members through liblhasa. The names and 64-bit sizes come from the
// header bytes (LzhHeader): liblhasa changes names byte by byte and keeps
// only the low 32 bits of a size.
class LhasaMemberReader : public MemberReader {
public:
    LhasaMemberReader(const LhasaLibrary& library, const QString& archivePath);
    ~LhasaMemberReader() override;
    LhasaMemberReader(const LhasaMemberReader&) = delete;
    LhasaMemberReader& operator=(const LhasaMemberReader&) = delete;

    Step next(ArchiveMember& member) override;
    MemberWrite extractTo(int fd, platform::DataProgress* progress) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};
