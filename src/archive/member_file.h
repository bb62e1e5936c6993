#pragma once

#include "archive/member_reader.h"

#include <ctime>

// The new file that receives one member's data, never filled past the size
// the archive declares, telling progress (when given) how far it is.
class MemberFile {
public:
    // Takes fd over: the file is closed by finish() or at the latest here.
    MemberFile(int fd, qint64 declaredSize, platform::DataProgress* progress = nullptr);
    ~MemberFile();
    MemberFile(const MemberFile&) = delete;
    MemberFile& operator=(const MemberFile&) = delete;

    // False once anything failed; failure() then says what.
    bool write(const char* data, size_t size, qint64 offset);
    bool append(const char* data, size_t size) { return write(data, size, written_); }

    // Closes the file, with modificationTime unless it is negative.
    MemberWrite finish(std::time_t modificationTime);

    // The failure so far, or Written.
    MemberWrite failure() const { return failure_; }
    qint64 written() const { return written_; }

private:
    void failWithErrno();

    int fd_ = -1;
    qint64 declaredSize_;
    platform::DataProgress* progress_;
    qint64 written_ = 0;
    MemberWrite failure_ = MemberWrite::Written;
};
