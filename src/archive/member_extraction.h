#pragma once

#include "archive/member_places.h"
#include "archive/member_reader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class ExtractionProgress;

// What every archiver does with the members a reader yields: write the files
// and folders below the destination folder and nothing anywhere else, each
// member in a place of its own. A member whose name would lead out of it, a
// link and a device entry are skipped; they are no failure, but every member
// not written, and every one written under another name, is noted.
namespace MemberExtraction {

enum class SkipReason { LeavesFolder, Link, Device, UnusableName, Damaged, Cut, Encrypted, NoSpace, NotWritable,
                        UnsupportedMethod, UnsupportedOrDamaged, SizeBeyondReader, Unreadable, ArchiveBroken };

struct SkippedMember {
    QString name;       // as a path would show it; for ArchiveBroken the last member read, if any
    SkipReason reason;
};

// What the headers alone tell, read without the data.
struct Survey {
    bool readable = false;     // a first member, or the end, could be read
    bool readsToEnd = false;   // every header to the end of the archive
    int members = 0;
    int files = 0;             // members that are not folders
    qint64 declaredBytes = 0;  // the sizes the headers give the files, summed
    int sizesBeyondReader = 0; // members whose size this reader cannot handle
};

Survey survey(MemberReader& reader);

struct Outcome {
    enum class End { Complete, Broken, MemberTooLarge, Cancelled };
    End end = End::Complete;
    int membersRead = 0;
    int filesWritten = 0;
    QVector<SkippedMember> skipped;
    QVector<MemberPlaces::Renamed> renamed;  // members written under another name
    QString tooLargeMember;                  // the member that grew past its declared size
    QByteArray report;                       // one line per member: written, or why not

    // A member could not be written (damaged, cut, encrypted, no space, refused).
    bool memberFailed() const;
};

Outcome extractAll(MemberReader& reader, const QString& destinationFolder, ExtractionProgress* progress = nullptr);

// The number of files that extractAll writes from an intact archive.
int countFiles(MemberReader& reader);

}  // namespace MemberExtraction
