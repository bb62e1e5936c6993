#include "file_ops/run_journal.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/trash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOps {

namespace {

QByteArray encodedPath(const QString& path)
{
    return platform::encodeFileName(path);
}

// A record built field by field in one buffer, a run writing one per file.
class Record {
public:
    explicit Record(const char* tag) : line_(tag) { line_.reserve(160); }

    Record& field(const QByteArray& bytes)
    {
        line_ += ' ';
        // "-" alone stands for an empty field: a name "-" is written escaped.
        if (bytes.isEmpty() || bytes == "-") {
            line_ += bytes.isEmpty() ? "-" : "%2D";
            return *this;
        }
        static const char hex[] = "0123456789ABCDEF";
        for (const char c : bytes) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                || c == '.' || c == '_' || c == '~' || c == '/';
            if (plain) {
                line_ += c;
                continue;
            }
            const auto byte = static_cast<unsigned char>(c);
            line_ += '%';
            line_ += hex[byte >> 4];
            line_ += hex[byte & 15];
        }
        return *this;
    }
    Record& path(const QString& path) { return field(encodedPath(path)); }
    Record& number(qint64 value) { return decimal(value); }
    Record& stamp(const platform::FileStamp& stamp)
    {
        return decimal(stamp.inode).number(stamp.size).number(stamp.modifiedSeconds).number(stamp.modifiedNanoseconds);
    }
    QByteArray line()
    {
        line_ += '\n';
        return line_;
    }

private:
    template <class Integer>
    Record& decimal(Integer value)
    {
        char digits[24];
        const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
        line_ += ' ';
        line_.append(digits, int(end.ptr - digits));
        return *this;
    }

    QByteArray line_;
};

// An old file put in the trash (replaced, or deleted) and where it came from.
QByteArray trashRecord(const char* tag, int item, const QString& path, const platform::TrashEntry& entry,
                       const platform::FileStamp& stamp)
{
    return Record(tag).number(item).path(path).path(entry.trashFolder).path(entry.name).stamp(stamp).line();
}

// Tells a start after a power loss from one after a kill: unflushed
// placements are in doubt only after the former.
QByteArray bootId()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("-");
}

}  // namespace

QString journalFolder()
{
    return platform::joinPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                              QStringLiteral("journal"));
}

QByteArray runKindName(RunKind kind)
{
    switch (kind) {
    case RunKind::Copy: return "copy";
    case RunKind::Move: return "move";
    case RunKind::Delete: return "delete";
    case RunKind::FolderDeletion: return "folder";
    }
    return "copy";
}

QByteArray placedWayName(PlacedWay way)
{
    switch (way) {
    case PlacedWay::Copied: return "copied";
    case PlacedWay::Renamed: return "renamed";
    case PlacedWay::Moved: return "moved";
    }
    return "copied";
}

RunJournal::RunJournal(const QString& folder, RunKind kind) : folder_(folder), kind_(kind) {}

RunJournal::~RunJournal()
{
    if (fd_ >= 0)
        ::close(fd_);  // and the lock with it
}

bool RunJournal::reopen(const QString& path)
{
    const int fd = ::open(encodedPath(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

platform::FsError RunJournal::create()
{
    // File names in it tell where the user's files are: for the user alone.
    platform::FsError error = platform::makeFolderPath(folder_);
    if (error.failed())
        return error;
    ::chmod(encodedPath(folder_).constData(), 0700);
    // Named by the time the run began: names sort as runs did.
    const QString stem = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))
        + QStringLiteral("-%1").arg(QCoreApplication::applicationPid());
    for (int attempt = 0; fd_ < 0; ++attempt) {
        path_ = platform::joinPath(folder_, stem + (attempt ? QStringLiteral("-%1").arg(attempt) : QString())
                                                + QStringLiteral(".journal"));
        fd_ = ::open(encodedPath(path_).constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0 && errno != EEXIST)
            return platform::errorFromErrno(errno, path_);
    }
    ::flock(fd_, LOCK_EX);
    return write(Record(JournalTag::Header)
                     .number(1)
                     .field(runKindName(kind_))
                     .number(QDateTime::currentMSecsSinceEpoch())
                     .field(bootId())
                     .line());
}

platform::FsError RunJournal::write(const QByteArray& records)
{
    if (!keeps())
        return platform::FsError{};
    if (fd_ < 0) {
        const platform::FsError error = create();
        if (error.failed())
            return error;
    }
    const char* data = records.constData();
    qint64 left = records.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return platform::errorFromErrno(written < 0 ? errno : ENOSPC, path_);
        data += written;
        left -= written;
    }
    return platform::FsError{};
}

platform::FsError RunJournal::plan(const QStringList& folders, const QVector<PlannedFile>& files)
{
    if (!keeps())
        return platform::FsError{};
    QByteArray records;
    for (int i = 0; i < folders.size(); ++i)
        records += Record(JournalTag::Folder).number(i).path(folders.at(i)).line();
    for (int i = 0; i < files.size(); ++i) {
        const PlannedFile& file = files.at(i);
        Record record(JournalTag::Planned);
        record.number(i).number(file.folder).path(file.name);
        if (file.newFolder >= 0)
            record.number(file.newFolder).path(file.newName);
        records += record.line();
    }
    return write(records);
}

platform::FsError RunJournal::hold(const QString& holdPath, const QString& originalPath)
{
    return write(Record(JournalTag::Hold).path(holdPath).path(originalPath).line());
}

platform::FsError RunJournal::part(const QString& path)
{
    return write(Record(JournalTag::Part).path(path).line());
}

platform::FsError RunJournal::replacing(int item, const QString& path, const platform::TrashEntry& entry,
                                        const platform::FileStamp& old)
{
    changed_ = true;
    return write(trashRecord(JournalTag::Replacing, item, path, entry, old));
}

platform::FsError RunJournal::trashing(int item, const QString& path, const platform::TrashEntry& entry,
                                       const platform::FileStamp& stamp)
{
    changed_ = true;
    return write(trashRecord(JournalTag::Trashing, item, path, entry, stamp));
}

platform::FsError RunJournal::placed(int item, PlacedWay way, const platform::FileStamp& stamp, bool onDisk)
{
    changed_ = true;
    return write(Record(JournalTag::Placed)
                     .number(item)
                     .field(placedWayName(way))
                     .field(onDisk ? "on-disk" : "unflushed")
                     .stamp(stamp)
                     .line());
}

platform::FsError RunJournal::flushed()
{
    const platform::FsError error = flushRecords();
    return error.failed() ? error : write(Record(JournalTag::Flushed).line());
}

platform::FsError RunJournal::sourceDeleted(int item)
{
    return write(Record(JournalTag::SourceDeleted).number(item).line());
}

platform::FsError RunJournal::end()
{
    // A run that changed nothing leaves nothing to settle or undo.
    if (!changed_) {
        discard();
        return platform::FsError{};
    }
    const platform::FsError error = write(Record(JournalTag::End).line());
    return error.failed() ? error : flushRecords();
}

platform::FsError RunJournal::undoBegin()
{
    return write(Record(JournalTag::UndoBegin).number(QDateTime::currentMSecsSinceEpoch()).line());
}

platform::FsError RunJournal::undone(int item)
{
    return write(Record(JournalTag::Undone).number(item).line());
}

platform::FsError RunJournal::undoEnd()
{
    const platform::FsError error = write(Record(JournalTag::UndoEnd).line());
    return error.failed() ? error : flushRecords();
}

platform::FsError RunJournal::flushRecords()
{
    if (fd_ >= 0 && ::fdatasync(fd_) != 0)
        return platform::errorFromErrno(errno, path_);
    return platform::FsError{};
}

void RunJournal::discard()
{
    if (fd_ < 0)
        return;
    ::unlink(encodedPath(path_).constData());
    ::close(fd_);
    fd_ = -1;
    folder_.clear();
}

}  // namespace FileOps
