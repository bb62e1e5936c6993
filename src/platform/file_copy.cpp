#include "platform/data_progress.h"
#include "platform/fault_injection.h"
#include "platform/file_descriptor.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A copy bound for the disk goes there as it is written, one chunk waited
// for while the next is on its way: its progress then follows the disk, not
// the cache (which takes in seconds what a stick writes in minutes), and no
// long flush at the end leaves the screen still and Cancel unheard. A write
// that fails here fails the flush at the end.
void writeBehind(int out, qint64 offset, qint64 length, qint64 previousLength)
{
    ::sync_file_range(out, offset, length, SYNC_FILE_RANGE_WRITE);
    if (previousLength > 0)
        ::sync_file_range(out, offset - previousLength, previousLength,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
}

FsError copyData(int in, int out, const QString& to, CopyFlush flush, int injectedNumber, DataProgress* progress)
{
    // Small enough that a slow stick still lets the screen repaint and a
    // Cancel act within a second or so.
    constexpr size_t chunk = 4 * 1024 * 1024;
    qint64 total = 0;
    qint64 previous = 0;
    // In the kernel where it can: within one file system copy_file_range,
    // across them sendfile, through a buffer only where neither works.
    enum class Way { CopyRange, SendFile, Buffer } way = Way::CopyRange;
    QByteArray buffer;
    for (;;) {
        ssize_t copied;
        if (way == Way::CopyRange) {
            copied = ::copy_file_range(in, nullptr, out, nullptr, chunk, 0);
            if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL
                               || errno == EOPNOTSUPP || errno == EPERM)) {
                way = Way::SendFile;
                continue;
            }
        } else if (way == Way::SendFile) {
            copied = ::sendfile(out, in, nullptr, chunk);
            if (copied < 0 && (errno == EINVAL || errno == ENOSYS)) {
                way = Way::Buffer;
                buffer.resize(1024 * 1024);
                continue;
            }
        } else {
            copied = ::read(in, buffer.data(), size_t(buffer.size()));
            if (copied > 0) {
                const char* data = buffer.constData();
                ssize_t left = copied;
                while (left > 0) {
                    const ssize_t written = ::write(out, data, size_t(left));
                    if (written < 0) {
                        if (errno == EINTR)
                            continue;
                        return errorFromErrno(errno, to);
                    }
                    data += written;
                    left -= written;
                }
            }
        }
        if (copied < 0) {
            if (errno == EINTR)
                continue;
            return errorFromErrno(errno, to);
        }
        if (injectedNumber)
            return makeError(injectedNumber, to);
        if (copied == 0)
            return FsError{};
        // A file of one chunk, pushed on its own, would only make the
        // device write small pieces that a later flush writes together.
        if (flush == CopyFlush::Durable || (flush == CopyFlush::AsWritten && total > 0))
            writeBehind(out, total, copied, previous);
        previous = copied;
        total += copied;
        if (progress && !progress->written(total))
            return makeError(ErrorNumber::UserInterrupt, to);
    }
}

}  // namespace

FsError copyFile(const QString& from, const QString& to, CopyFlush flush, FileStamp* copied, FileStamp* written,
                 DataProgress* progress)
{
    const int injectedNumber = takeInjectedFault(FileOperation::Copy, from, to);
    FileDescriptor in(::open(encodeFileName(from).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errorFromErrno(errno, from);
    struct stat info;
    if (::fstat(in.get(), &info) != 0)
        return errorFromErrno(errno, from);
    if (S_ISDIR(info.st_mode))
        return makeError(ErrorNumber::PathFileAccess, from);
    if (copied)
        *copied = stampOf(info);

    // A staged file of an earlier run may still be there: only then is it removed.
    const QByteArray target = encodeFileName(to);
    const auto create = [&target] { return ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); };
    int created = create();
    if (created < 0 && errno == EEXIST) {
        if (::unlink(target.constData()) != 0)
            return errorFromErrno(errno, to);
        created = create();
    }
    FileDescriptor out(created);
    if (out.get() < 0)
        return errorFromErrno(errno, to);

    FsError error = copyData(in.get(), out.get(), to, flush, injectedNumber, progress);
    if (!error.failed() && ::fchmod(out.get(), info.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID)) != 0)
        error = errorFromErrno(errno, to);
    if (!error.failed()) {
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        error = injectedError(FileOperation::SetTimes, to);
        if (!error.failed() && ::futimens(out.get(), times) != 0)
            error = errorFromErrno(errno, to);
    }
    if (!error.failed() && flush == CopyFlush::Durable && ::fsync(out.get()) != 0)
        error = errorFromErrno(errno, to);
    struct stat made;
    if (!error.failed() && written)
        *written = ::fstat(out.get(), &made) == 0 ? stampOf(made) : FileStamp{};
    if (::close(out.release()) != 0 && !error.failed())
        error = errorFromErrno(errno, to);
    if (error.failed())
        ::unlink(target.constData());
    return error;
}

bool haveSameContent(const QString& a, const QString& b)
{
    FileDescriptor first(::open(encodeFileName(a).constData(), O_RDONLY | O_CLOEXEC));
    FileDescriptor second(::open(encodeFileName(b).constData(), O_RDONLY | O_CLOEXEC));
    struct stat firstInfo, secondInfo;
    if (first.get() < 0 || second.get() < 0 || ::fstat(first.get(), &firstInfo) != 0
        || ::fstat(second.get(), &secondInfo) != 0 || firstInfo.st_size != secondInfo.st_size)
        return false;
    QByteArray firstData(1024 * 1024, Qt::Uninitialized), secondData(1024 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(first.get(), firstData.data(), size_t(firstData.size()));
        if (got <= 0)
            return got == 0;
        for (ssize_t have = 0; have < got;) {
            const ssize_t more = ::read(second.get(), secondData.data() + have, size_t(got - have));
            if (more <= 0)
                return false;
            have += more;
        }
        if (std::memcmp(firstData.constData(), secondData.constData(), size_t(got)) != 0)
            return false;
    }
}

}  // namespace platform
