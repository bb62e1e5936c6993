#pragma once

#include "platform/file_identity.h"
#include "platform/fs_error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <string>

namespace platform {
struct TrashEntry;
}

namespace FileOps {

// What a run did, as its journal and the undo menu name it.
enum class RunKind { Copy, Move, Delete, FolderDeletion };

// How a placed file got its name.
enum class PlacedWay {
    Copied,   // a copy; its source stays
    Renamed,  // the source itself, renamed on its own file system
    Moved,    // a copy whose source is deleted once the copy is on disk
};

// One file of a run's confirmed plan: its folder (an index into the run's
// folders) and name, and for copies and moves where it goes.
struct PlannedFile {
    int folder = 0;
    QString name;
    int newFolder = -1;
    QString newName;
};

// The journals' folder in the per-user data folder.
QString journalFolder();

// One journal per run: its confirmed plan, then each step before it is
// taken (a source set aside as a hold, a hidden part made beside a
// destination, an old file put in the trash) and each step done (placed,
// on disk, source deleted), so that the next start settles a killed run and
// 元に戻す can reverse a finished one. A record is written through at once: a
// kill loses none that was written. While its run lasts the journal is locked:
// a start-up elsewhere leaves it alone. A journal without a folder keeps
// nothing (a file placed on its own).
class RunJournal {
public:
    RunJournal() = default;
    // Made at the first record, in folder.
    RunJournal(const QString& folder, RunKind kind);
    ~RunJournal();
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;

    // An existing journal, locked, to append an undo or the end of a run cut
    // short to; false when another program holds it or it cannot be opened.
    bool reopen(const QString& path);

    bool keeps() const { return !folder_.isEmpty() || fd_ >= 0; }
    QString path() const { return path_; }

    // The confirmed plan, item i being files[i].
    platform::FsError plan(const QStringList& folders, const QVector<PlannedFile>& files);

    platform::FsError hold(const QString& holdPath, const QString& originalPath);
    // A set-aside file the next start gave back at path, its original name
    // being taken then: undoing the run gives it that name.
    platform::FsError returned(const QString& originalPath, const QString& path, const platform::FileStamp& stamp);
    platform::FsError part(const QString& path);
    // item's old file at path goes into entry of the trash, as a second name
    // of it while path keeps it until its successor is placed, or moved there.
    platform::FsError replacing(int item, const QString& path, const platform::TrashEntry& entry,
                                const platform::FileStamp& old);
    // item, at path, is deleted into entry of the trash.
    platform::FsError trashing(int item, const QString& path, const platform::TrashEntry& entry,
                               const platform::FileStamp& stamp);
    // item, renamed on its own file system, is about to take its new name: a
    // kill before placed() leaves the next start to find it there by stamp.
    platform::FsError renaming(int item, const platform::FileStamp& stamp);
    // onDisk: flushed before it took its name; else only at the next flushed().
    platform::FsError placed(int item, PlacedWay way, const platform::FileStamp& stamp, bool onDisk);
    platform::FsError flushed();
    platform::FsError sourceDeleted(int item);
    // Everything the run set aside has its name back. A run that placed,
    // replaced and deleted nothing leaves no journal.
    platform::FsError end();

    platform::FsError undoBegin();
    platform::FsError undone(int item);
    platform::FsError undoEnd();

    // A run that did nothing leaves no journal.
    void discard();

private:
    platform::FsError write(const std::string& records);
    // A record that could not be written whole is taken back; the journal
    // then waits for the next start to settle it.
    platform::FsError loseRecords(int errorNumber);
    // Makes the records written so far durable.
    platform::FsError flushRecords();
    platform::FsError create();

    // What an item's records say it left to undo.
    enum ItemStep : quint8 { Done = 1, Replaced = 2 };
    void note(int item, ItemStep step);
    // The undo menu is told what the run left to undo, not made to read it back.
    void offerUndo() const;

    QString folder_;
    RunKind kind_ = RunKind::Copy;
    QString path_;
    int fd_ = -1;
    // Bytes of whole records in the file; -1 when one cut short could not be taken back.
    qint64 length_ = 0;
    bool recordsLost_ = false;
    bool changed_ = false;
    qint64 startedMs_ = 0;
    QStringList plannedNames_;
    QVector<quint8> itemSteps_;
};

// A record is a line: its tag and fields, blank-separated, each field's bytes
// percent-encoded so that blanks, line breaks and bytes that are no text
// survive; "-" is an empty field.

// The short words the records use.
namespace JournalTag {
constexpr char Header[] = "velda-journal";
constexpr char Folder[] = "folder";
constexpr char Planned[] = "want";
constexpr char Hold[] = "hold";
constexpr char Returned[] = "returned";
constexpr char Part[] = "part";
constexpr char Replacing[] = "replace";
constexpr char Trashing[] = "trash";
constexpr char Renaming[] = "renaming";
constexpr char Placed[] = "placed";
constexpr char Flushed[] = "flushed";
constexpr char SourceDeleted[] = "deleted";
constexpr char End[] = "end";
constexpr char UndoBegin[] = "undo";
constexpr char Undone[] = "undone";
constexpr char UndoEnd[] = "undo-end";
}  // namespace JournalTag

QByteArray runKindName(RunKind kind);
QByteArray placedWayName(PlacedWay way);

}  // namespace FileOps
