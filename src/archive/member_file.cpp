#include "archive/member_file.h"
#include "platform/file_name_codec.h"


#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

MemberFile::MemberFile(const QString& path, qint64 declaredSize) : declaredSize_(declaredSize)
{
    const QByteArray encoded = platform::encodeFileName(path);
    // 0666: the kernel takes the user's umask off, as for any new file.
    const auto create = [&encoded] {
        return ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    };
    fd_ = create();
    // A file or link of that name (a member stored twice) is replaced; a folder is not.
    struct stat info;
    if (fd_ < 0 && errno == EEXIST && ::lstat(encoded.constData(), &info) == 0 && !S_ISDIR(info.st_mode)
        && ::unlink(encoded.constData()) == 0)
        fd_ = create();
    if (fd_ < 0)
        failWithErrno();
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
    if (offset + qint64(size) > declaredSize_) {
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
