#include "file_ops/journal_reader.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"

#include <QFile>

#include <charconv>
#include <cstring>

namespace FileOps {

namespace {

// The record of the line at [begin, end) of a journal's bytes, pointing into them.
JournalRecord parsed(const char* begin, const char* end)
{
    JournalRecord record{QByteArray::fromRawData(begin, int(end - begin)), {}};
    const char* word = begin;
    for (const char* at = begin;; ++at) {
        if (at == end || *at == ' ') {
            record.words.append(qMakePair(int(word - begin), int(at - word)));
            word = at + 1;
        }
        if (at == end)
            return record;
    }
}

RunKind kindNamed(const QByteArray& name)
{
    for (RunKind kind : {RunKind::Copy, RunKind::Move, RunKind::Delete, RunKind::FolderDeletion}) {
        if (runKindName(kind) == name)
            return kind;
    }
    return RunKind::Copy;
}

PlacedWay wayNamed(const QByteArray& name)
{
    for (PlacedWay way : {PlacedWay::Copied, PlacedWay::Renamed, PlacedWay::Moved}) {
        if (placedWayName(way) == name)
            return way;
    }
    return PlacedWay::Copied;
}

JournalRun::Trashed trashedFrom(const JournalRecord& record)
{
    return JournalRun::Trashed{record.path(1), platform::TrashEntry{record.path(2), record.path(3)}, record.stamp(4)};
}

// Applies one record to run. A step is settled at the next start whatever
// item it names; an item the plan does not have gets nothing.
void apply(JournalRun& run, const JournalRecord& record, bool& sectionOpen)
{
    const QByteArray tag = record.tag();
    if (tag == JournalTag::Folder) {
        run.folders.append(record.path(1));
    } else if (tag == JournalTag::Planned) {
        PlannedFile file{int(record.number(1)), record.path(2), -1, QString()};
        if (record.words.size() >= 6)
            file.newFolder = int(record.number(3)), file.newName = record.path(4);
        run.items.append(JournalRun::Item{file, false, PlacedWay::Copied, {}, false, true, false, {}, false, {}, false});
    } else if (tag == JournalTag::End || tag == JournalTag::UndoEnd) {
        sectionOpen = false;
        run.unsettledSteps.clear();
        run.unflushedItems.clear();
    } else if (tag == JournalTag::UndoBegin) {
        sectionOpen = true;
        run.undoing = true;
    } else if (tag == JournalTag::Hold || tag == JournalTag::Part || tag == JournalTag::Replacing
               || tag == JournalTag::Trashing) {
        run.unsettledSteps.append(record.owned());
    } else if (tag == JournalTag::Flushed) {
        run.unflushedItems.clear();
    } else if (tag == JournalTag::Returned) {
        run.returned.append(JournalRun::Returned{record.path(0), record.path(1), record.stamp(2)});
        return;
    }
    const qint64 index = record.number(0);
    if (index < 0 || index >= run.items.size() || tag == JournalTag::Planned || tag == JournalTag::Folder)
        return;
    // What an undo trashes or sets aside is no step of the run.
    if (run.undoing && tag != JournalTag::Undone)
        return;
    JournalRun::Item& item = run.items[int(index)];
    if (tag == JournalTag::Replacing) {
        item.replaced.append(trashedFrom(record));
    } else if (tag == JournalTag::Trashing) {
        item.deleted = true;
        item.deletion = trashedFrom(record);
    } else if (tag == JournalTag::Renaming) {
        item.renaming = true;
        item.stamp = record.stamp(1);
    } else if (tag == JournalTag::Placed) {
        item.placed = true;
        item.way = wayNamed(record.field(1));
        item.onDisk = record.field(2) == "on-disk";
        item.stamp = record.stamp(3);
        if (!item.onDisk)
            run.unflushedItems.append(int(index));
    } else if (tag == JournalTag::SourceDeleted) {
        item.sourceDeleted = true;
    } else if (tag == JournalTag::Undone) {
        item.undone = true;
    }
}

}  // namespace

QByteArray JournalRecord::tag() const
{
    return words.isEmpty() ? QByteArray() : QByteArray::fromRawData(line.constData(), words.at(0).second);
}

QByteArray JournalRecord::encoded(int field) const
{
    if (field < 0 || field + 1 >= words.size())
        return QByteArray();
    const QPair<int, int> word = words.at(field + 1);
    return QByteArray::fromRawData(line.constData() + word.first, word.second);
}

QByteArray JournalRecord::decoded(int field) const
{
    const QByteArray bytes = encoded(field);
    if (bytes == "-")
        return QByteArray();
    return bytes.contains('%') ? QByteArray::fromPercentEncoding(bytes) : bytes;
}

QByteArray JournalRecord::field(int field) const
{
    const QByteArray bytes = decoded(field);
    return QByteArray(bytes.constData(), bytes.size());
}

QString JournalRecord::path(int field) const
{
    return platform::decodeFileName(decoded(field));
}

qint64 JournalRecord::number(int field) const
{
    const QByteArray bytes = encoded(field);
    qint64 value = -1;
    const auto [end, error] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    return error == std::errc() && end == bytes.constData() + bytes.size() ? value : -1;
}

platform::FileStamp JournalRecord::stamp(int firstField) const
{
    platform::FileStamp stamp;
    const QByteArray inode = encoded(firstField);
    std::from_chars(inode.constData(), inode.constData() + inode.size(), stamp.inode);
    stamp.size = number(firstField + 1);
    stamp.modifiedSeconds = number(firstField + 2);
    stamp.modifiedNanoseconds = number(firstField + 3);
    return stamp;
}

JournalRecord JournalRecord::owned() const
{
    return JournalRecord{QByteArray(line.constData(), line.size()), words};
}

QString JournalRun::sourcePath(const Item& item) const
{
    return platform::joinPath(folders.value(item.planned.folder), item.planned.name);
}

QString JournalRun::destinationPath(const Item& item) const
{
    return platform::joinPath(folders.value(item.planned.newFolder), item.planned.newName);
}

bool readJournalRun(const QString& path, JournalRun& run)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    const char* at = content.constData();
    const char* const end = at + content.size();
    // A last line without its line break was cut short: it is left out.
    const auto nextLine = [&at, end](const char*& lineEnd) {
        lineEnd = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
        return lineEnd != nullptr;
    };
    const char* lineEnd = nullptr;
    if (!nextLine(lineEnd))
        return false;
    const JournalRecord header = parsed(at, lineEnd);
    if (header.tag() != JournalTag::Header || header.field(0) != "1")
        return false;
    run = JournalRun{};
    run.path = path;
    run.kind = kindNamed(header.field(1));
    run.startedMs = header.number(2);
    run.bootId = header.field(3);
    bool sectionOpen = true;
    for (at = lineEnd + 1; nextLine(lineEnd); at = lineEnd + 1)
        apply(run, parsed(at, lineEnd), sectionOpen);
    run.finished = !sectionOpen;
    return true;
}

bool journalEnded(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Far longer than an end record.
    constexpr qint64 Tail = 64;
    const qint64 from = qMax<qint64>(0, file.size() - Tail);
    file.seek(from);
    const QByteArray tail = file.read(Tail);
    const qsizetype lineStart = tail.lastIndexOf('\n', tail.size() - 2) + 1;
    // A last line that begins before the tail may be any record.
    if (!tail.endsWith('\n') || (lineStart == 0 && from > 0))
        return false;
    const QByteArray last = tail.mid(lineStart).chopped(1);
    const QByteArray tag = last.left(last.indexOf(' ') < 0 ? last.size() : last.indexOf(' '));
    return tag == JournalTag::End || tag == JournalTag::UndoEnd;
}

}  // namespace FileOps
