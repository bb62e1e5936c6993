#include "archive/member_file.h"

#include "platform/data_progress.h"

#include <QtGlobal>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

MemberFile::MemberFile(int fd, qint64 declaredSize, platform::DataProgress* progress)
    : fd_(fd), declaredSize_(declaredSize), progress_(progress)
{
    if (fd_ < 0)
        failure_ = MemberWrite::NotWritable;
}

MemberFile::~MemberFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void MemberFile::failWithErrno()
{
    failure_ = errno == ENOSPC || errno == EDQUOT ? MemberWrite::NoSpace : MemberWrite::NotWritable;
}

bool MemberFile::write(const char* data, size_t size, qint64 offset)
{
    if (failure_ != MemberWrite::Written)
        return false;
    if (qint64(size) > declaredSize_ || offset > declaredSize_ - qint64(size)) {
        failure_ = MemberWrite::TooLarge;
        return false;
    }
    while (size > 0) {
        const ssize_t done = ::pwrite(fd_, data, size, off_t(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            failWithErrno();
            return false;
        }
        data += done;
        size -= size_t(done);
        offset += done;
    }
    written_ = qMax(written_, offset);
    if (progress_ && !progress_->written(written_)) {
        failure_ = MemberWrite::Cancelled;
        return false;
    }
    return true;
}

MemberWrite MemberFile::finish(std::time_t modificationTime)
{
    if (fd_ < 0)
        return failure_;
    if (failure_ == MemberWrite::Written && modificationTime >= 0) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {modificationTime, 0}};
        ::futimens(fd_, times);
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 && failure_ == MemberWrite::Written)
        failWithErrno();
    return failure_;
}
