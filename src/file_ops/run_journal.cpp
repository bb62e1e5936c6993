#include "file_ops/run_journal.h"

#include "file_ops/undo_offer.h"
#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/trash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOps {

namespace {

bool isPlain(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~' || c == '/';
}

QByteArray encodedPath(const QString& path)
{
    return platform::encodeFileName(path);
}

// A record built field by field in one buffer, a run writing one per file.
class Record {
public:
    explicit Record(const char* tag)
    {
        line_.reserve(160);
        line_ += tag;
    }

    Record& field(const char* text) { return field(text, qsizetype(std::strlen(text))); }
    Record& field(const QByteArray& bytes) { return field(bytes.constData(), bytes.size()); }
    Record& field(const char* data, qsizetype size)
    {
        line_ += ' ';
        // "-" alone stands for an empty field: a name "-" is written escaped.
        if (size == 0 || (size == 1 && *data == '-')) {
            line_ += size == 0 ? "-" : "%2D";
            return *this;
        }
        static const char hex[] = "0123456789ABCDEF";
        const char* const end = data + size;
        while (data < end) {
            // Most names are plain: their runs go in whole.
            const char* plainEnd = std::find_if_not(data, end, isPlain);
            line_.append(data, size_t(plainEnd - data));
            if (plainEnd == end)
                break;
            const auto byte = static_cast<unsigned char>(*plainEnd);
            const char escaped[] = {'%', hex[byte >> 4], hex[byte & 15]};
            line_.append(escaped, 3);
            data = plainEnd + 1;
        }
        return *this;
    }
    Record& path(const QString& path) { return field(encodedPath(path)); }
    Record& number(qint64 value) { return decimal(value); }
    Record& stamp(const platform::FileStamp& stamp)
    {
        return decimal(stamp.inode).number(stamp.size).number(stamp.modifiedSeconds).number(stamp.modifiedNanoseconds);
    }
    const std::string& line()
    {
        line_ += '\n';
        return line_;
    }

private:
    template <class Integer>
    Record& decimal(Integer value)
    {
        char digits[24] = {' '};
        const std::to_chars_result end = std::to_chars(digits + 1, digits + sizeof digits, value);
        line_.append(digits, size_t(end.ptr - digits));
        return *this;
    }

    std::string line_;
};

// An old file put in the trash (replaced, or deleted) and where it came from.
std::string trashRecord(const char* tag, int item, const QString& path, const platform::TrashEntry& entry,
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
    case RunKind::Copy: return QByteArrayLiteral("copy");
    case RunKind::Move: return QByteArrayLiteral("move");
    case RunKind::Delete: return QByteArrayLiteral("delete");
    case RunKind::FolderDeletion: return QByteArrayLiteral("folder");
    }
    return QByteArrayLiteral("copy");
}

QByteArray placedWayName(PlacedWay way)
{
    switch (way) {
    case PlacedWay::Copied: return QByteArrayLiteral("copied");
    case PlacedWay::Renamed: return QByteArrayLiteral("renamed");
    case PlacedWay::Moved: return QByteArrayLiteral("moved");
    }
    return QByteArrayLiteral("copied");
}

RunJournal::RunJournal(const QString& folder, RunKind kind) : folder_(folder), kind_(kind) {}

RunJournal::~RunJournal()
{
    if (fd_ >= 0)
        ::close(fd_);  // and the lock with it
}

bool RunJournal::reopen(const QString& path)
{
    const int fd = ::open(encodedPath(path).constData(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    length_ = ::lseek(fd, 0, SEEK_END);
    char last = '\n';
    if (length_ > 0 && ::pread(fd, &last, 1, length_ - 1) == 1 && last != '\n') {
        // A power loss cut its last record short: what follows starts a line of its own.
        QFile file(path);
        length_ = file.open(QIODevice::ReadOnly) ? file.readAll().lastIndexOf('\n') + 1 : -1;
        if (length_ < 0 || ::ftruncate(fd, length_) != 0)
            length_ = -1;
    }
    // Steps recorded before: ending it keeps it.
    changed_ = true;
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
    length_ = 0;
    startedMs_ = QDateTime::currentMSecsSinceEpoch();
    return write(Record(JournalTag::Header)
                     .number(1)
                     .field(runKindName(kind_))
                     .number(startedMs_)
                     .field(bootId())
                     .line());
}

platform::FsError RunJournal::write(const std::string& records)
{
    if (!keeps())
        return platform::FsError{};
    if (fd_ < 0) {
        const platform::FsError error = create();
        if (error.failed())
            return error;
    }
    // A record cut short stays the last.
    if (length_ < 0)
        return platform::errorFromErrno(EIO, path_);
    const char* data = records.data();
    qint64 left = qint64(records.size());
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return loseRecords(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    length_ += qint64(records.size());
    return platform::FsError{};
}

platform::FsError RunJournal::plan(const QStringList& folders, const QVector<PlannedFile>& files)
{
    if (!keeps())
        return platform::FsError{};
    plannedNames_.clear();
    itemSteps_.fill(0, files.size());
    std::string records;
    for (int i = 0; i < folders.size(); ++i)
        records += Record(JournalTag::Folder).number(i).path(folders.at(i)).line();
    for (int i = 0; i < files.size(); ++i) {
        const PlannedFile& file = files.at(i);
        Record record(JournalTag::Planned);
        record.number(i).number(file.folder).path(file.name);
        if (file.newFolder >= 0)
            record.number(file.newFolder).path(file.newName);
        records += record.line();
        plannedNames_.append(file.name);
    }
    return write(records);
}

platform::FsError RunJournal::hold(const QString& holdPath, const QString& originalPath)
{
    return write(Record(JournalTag::Hold).path(holdPath).path(originalPath).line());
}

platform::FsError RunJournal::returned(const QString& originalPath, const QString& path,
                                       const platform::FileStamp& stamp)
{
    return write(Record(JournalTag::Returned).path(originalPath).path(path).stamp(stamp).line());
}

platform::FsError RunJournal::part(const QString& path)
{
    return write(Record(JournalTag::Part).path(path).line());
}

platform::FsError RunJournal::replacing(int item, const QString& path, const platform::TrashEntry& entry,
                                        const platform::FileStamp& old)
{
    changed_ = true;
    note(item, Replaced);
    return write(trashRecord(JournalTag::Replacing, item, path, entry, old));
}

platform::FsError RunJournal::trashing(int item, const QString& path, const platform::TrashEntry& entry,
                                       const platform::FileStamp& stamp)
{
    changed_ = true;
    note(item, Done);
    return write(trashRecord(JournalTag::Trashing, item, path, entry, stamp));
}

platform::FsError RunJournal::renaming(int item, const platform::FileStamp& stamp)
{
    return write(Record(JournalTag::Renaming).number(item).stamp(stamp).line());
}

platform::FsError RunJournal::placed(int item, PlacedWay way, const platform::FileStamp& stamp, bool onDisk)
{
    changed_ = true;
    note(item, Done);
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
    // Left for the next start to settle, as after a kill.
    if (recordsLost_)
        return platform::FsError{};
    platform::FsError error = write(Record(JournalTag::End).line());
    if (!error.failed())
        error = flushRecords();
    // A reopened journal's steps are not counted here: the menu reads it.
    if (!error.failed() && !itemSteps_.isEmpty())
        offerUndo();
    return error;
}

void RunJournal::note(int item, ItemStep step)
{
    if (item >= 0 && item < itemSteps_.size())
        itemSteps_[item] |= step;
}

void RunJournal::offerUndo() const
{
    UndoOffer offer{path_, kind_, startedMs_, 0, 0, QString()};
    for (int item = 0; item < itemSteps_.size(); ++item) {
        if (!(itemSteps_.at(item) & Done))
            continue;
        ++offer.files;
        offer.replaced += itemSteps_.at(item) & Replaced ? 1 : 0;
        offer.folderName = plannedNames_.value(item);
    }
    noteFinishedRun(offer);
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
    if (recordsLost_)
        return platform::FsError{};
    const platform::FsError error = write(Record(JournalTag::UndoEnd).line());
    return error.failed() ? error : flushRecords();
}

platform::FsError RunJournal::loseRecords(int errorNumber)
{
    recordsLost_ = true;
    // A record cut short would run into the next one.
    if (::ftruncate(fd_, length_) != 0)
        length_ = -1;
    return platform::errorFromErrno(errorNumber, path_);
}

platform::FsError RunJournal::flushRecords()
{
    if (fd_ < 0)
        return platform::FsError{};
    const platform::FsError injected = platform::injectedError(platform::FileOperation::Flush, path_);
    if (injected.failed())
        return injected;
    return ::fdatasync(fd_) != 0 ? platform::errorFromErrno(errno, path_) : platform::FsError{};
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
