#pragma once

#include "file_ops/run_journal.h"
#include "platform/trash.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVarLengthArray>
#include <QVector>

namespace FileOps {

// One line of a journal: its tag and fields, found in place. While a journal
// is read, line only points into its bytes (a journal of a long run holds
// tens of thousands of lines): a record kept beyond that is owned().
struct JournalRecord {
    QByteArray line;
    QVarLengthArray<QPair<int, int>, 10> words;  // start and length of the tag, then of each field

    QByteArray tag() const;  // pointing into line
    // A field decoded back to its bytes.
    QByteArray field(int field) const;
    QString path(int field) const;
    qint64 number(int field) const;
    platform::FileStamp stamp(int firstField) const;
    JournalRecord owned() const;

private:
    QByteArray encoded(int field) const;
    // Pointing into line where no escape needs undoing.
    QByteArray decoded(int field) const;
};

// A run as its journal tells it.
struct JournalRun {
    // An old file a placement replaced, or an entry a deletion removed, now in the trash.
    struct Trashed {
        QString path;
        platform::TrashEntry entry;
        platform::FileStamp stamp;
    };
    struct Item {
        PlannedFile planned;
        bool placed = false;
        PlacedWay way = PlacedWay::Copied;
        platform::FileStamp stamp;  // as placed, or as it was about to be renamed into place
        bool renaming = false;      // about to be renamed into place when its run was cut short
        bool onDisk = true;
        bool sourceDeleted = false;
        QVector<Trashed> replaced;
        bool deleted = false;  // into the trash, as deletion
        Trashed deletion;
        bool undone = false;
    };

    QString path;
    RunKind kind = RunKind::Copy;
    qint64 startedMs = 0;
    QByteArray bootId;
    QStringList folders;
    QVector<Item> items;
    // Set-aside files the next start gave back under another name.
    struct Returned {
        QString originalPath;
        QString path;
        platform::FileStamp stamp;
    };
    QVector<Returned> returned;
    // Steps of a run or undo that never came to its end, oldest first: its
    // holds, parts and replacements may need settling.
    QVector<JournalRecord> unsettledSteps;
    // Placements of such a run made after its last flush.
    QVector<int> unflushedItems;
    bool finished = true;  // the run and every undo of it came to their end
    bool undoing = false;  // the last thing begun is an undo

    QString sourcePath(const Item& item) const;
    QString destinationPath(const Item& item) const;
};

// Reads the journal at path; a last line cut short by a kill is left out.
// False when it cannot be read or is no journal.
bool readJournalRun(const QString& path, JournalRun& run);

// True when the journal at path ends with the end of its run or of an undo:
// told from its last line alone, without reading a long run's records.
bool journalEnded(const QString& path);

}  // namespace FileOps
