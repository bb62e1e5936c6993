#pragma once

#include "archive/member_reader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

// What every archiver does with the members a reader yields: write the files
// and folders below the destination folder and nothing anywhere else. A
// member whose name would lead out of it, a link and a device entry are
// skipped; they are no failure, but every member not written is noted.
namespace MemberExtraction {

enum class SkipReason { LeavesFolder, Link, Device, UnusableName, Damaged, Encrypted, NoSpace, NotWritable,
                        ArchiveBroken };

struct SkippedMember {
    QString name;       // as stored; for ArchiveBroken the last member read, if any
    SkipReason reason;
};

// Called with each member's name before it is written; false stops the run.
using BeforeMember = std::function<bool(const QString& memberName)>;

// What the headers alone tell, read without the data.
struct Survey {
    bool readable = false;    // a first member, or the end, could be read
    bool readsToEnd = false;  // every header to the end of the archive
    qint64 declaredBytes = 0; // the sizes the headers give the files, summed
};

Survey survey(MemberReader& reader);

struct Outcome {
    enum class End { Complete, Broken, MemberTooLarge, Cancelled };
    End end = End::Complete;
    int membersRead = 0;
    int filesWritten = 0;           // each file name once, however often stored
    QVector<SkippedMember> skipped;
    QString tooLargeMember;         // the member that grew past its declared size
    QByteArray report;              // one line per member: written, or why not

    // A member could not be written (damaged, encrypted, no space, refused).
    bool memberFailed() const;
};

Outcome extractAll(MemberReader& reader, const QString& destinationFolder,
                   const BeforeMember& beforeMember = BeforeMember());

// The number of files that extractAll writes from an intact archive.
int countFiles(MemberReader& reader);

}  // namespace MemberExtraction
