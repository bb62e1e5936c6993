#pragma once

#include "archive/member_reader.h"

#include <memory>

struct LhasaLibrary;

// LZH members through liblhasa. The names come from the header bytes
// (LzhHeaderName), not from liblhasa, which changes them byte by byte.
class LhasaMemberReader : public MemberReader {
public:
    LhasaMemberReader(const LhasaLibrary& library, const QString& archivePath);
    ~LhasaMemberReader() override;
    LhasaMemberReader(const LhasaMemberReader&) = delete;
    LhasaMemberReader& operator=(const LhasaMemberReader&) = delete;

    Step next(ArchiveMember& member) override;
    MemberWrite extractTo(const QString& path) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};
