#include "file_ops/run_journal.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/trash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOps {

namespace {

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

QByteArray encodedPath(const QString& path)
{
    return platform::encodeFileName(path);
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

QByteArray journalLine(const QByteArray& tag, const QList<QByteArray>& fields)
{
    QByteArray line = tag;
    for (const QByteArray& field : fields)
        line += ' ' + (field.isEmpty() ? QByteArray("-") : field.toPercentEncoding("/"));
    return line + '\n';
}

QList<QByteArray> stampFields(const platform::FileStamp& stamp)
{
    return {QByteArray::number(stamp.inode), number(stamp.size), number(stamp.modifiedSeconds),
            number(stamp.modifiedNanoseconds)};
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
    return write(journalLine(JournalTag::Header, {"1", runKindName(kind_),
                                                   number(QDateTime::currentMSecsSinceEpoch()), bootId()}));
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
        records += journalLine(JournalTag::Folder, {number(i), encodedPath(folders.at(i))});
    for (int i = 0; i < files.size(); ++i) {
        const PlannedFile& file = files.at(i);
        QList<QByteArray> fields{number(i), number(file.folder), encodedPath(file.name)};
        if (file.newFolder >= 0)
            fields << number(file.newFolder) << encodedPath(file.newName);
        records += journalLine(JournalTag::Planned, fields);
    }
    return write(records);
}

platform::FsError RunJournal::hold(const QString& holdPath, const QString& originalPath)
{
    return write(journalLine(JournalTag::Hold, {encodedPath(holdPath), encodedPath(originalPath)}));
}

platform::FsError RunJournal::part(const QString& path)
{
    return write(journalLine(JournalTag::Part, {encodedPath(path)}));
}

platform::FsError RunJournal::replacing(int item, const QString& path, const platform::TrashEntry& entry,
                                        const platform::FileStamp& old)
{
    changed_ = true;
    return write(journalLine(JournalTag::Replacing, QList<QByteArray>{number(item), encodedPath(path),
                                                                      encodedPath(entry.trashFolder),
                                                                      encodedPath(entry.name)}
                                                        + stampFields(old)));
}

platform::FsError RunJournal::trashing(int item, const QString& path, const platform::TrashEntry& entry,
                                       const platform::FileStamp& stamp)
{
    changed_ = true;
    return write(journalLine(JournalTag::Trashing, QList<QByteArray>{number(item), encodedPath(path),
                                                                     encodedPath(entry.trashFolder),
                                                                     encodedPath(entry.name)}
                                                       + stampFields(stamp)));
}

platform::FsError RunJournal::placed(int item, PlacedWay way, const platform::FileStamp& stamp, bool onDisk)
{
    changed_ = true;
    return write(journalLine(JournalTag::Placed, QList<QByteArray>{number(item), placedWayName(way),
                                                                   onDisk ? "on-disk" : "unflushed"}
                                                     + stampFields(stamp)));
}

platform::FsError RunJournal::flushed()
{
    if (fd_ >= 0)
        ::fdatasync(fd_);
    return write(journalLine(JournalTag::Flushed, {}));
}

platform::FsError RunJournal::sourceDeleted(int item)
{
    return write(journalLine(JournalTag::SourceDeleted, {number(item)}));
}

platform::FsError RunJournal::end()
{
    // A run that changed nothing leaves nothing to settle or undo.
    if (!changed_) {
        discard();
        return platform::FsError{};
    }
    const platform::FsError error = write(journalLine(JournalTag::End, {}));
    ::fdatasync(fd_);
    return error;
}

platform::FsError RunJournal::undoBegin()
{
    return write(journalLine(JournalTag::UndoBegin, {number(QDateTime::currentMSecsSinceEpoch())}));
}

platform::FsError RunJournal::undone(int item)
{
    return write(journalLine(JournalTag::Undone, {number(item)}));
}

platform::FsError RunJournal::undoEnd()
{
    const platform::FsError error = write(journalLine(JournalTag::UndoEnd, {}));
    if (fd_ >= 0)
        ::fdatasync(fd_);
    return error;
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
