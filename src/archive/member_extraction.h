#pragma once

#include "archive/member_reader.h"

#include <QByteArray>
#include <QString>

// What every archiver does with the members a reader yields: write the files
// and folders below the destination folder and nothing anywhere else. A
// member whose name would lead out of it, a link and a device entry are
// skipped; they are no failure.
namespace MemberExtraction {

struct Outcome {
    bool broken = false;        // the archive could not be read to its end
    bool memberFailed = false;  // a member could not be written
    QByteArray report;          // one line per member: written, or why not
};

Outcome extractAll(MemberReader& reader, const QString& destinationFolder);

// The number of files that extractAll writes from an intact archive.
int countFiles(MemberReader& reader);

// The reader could read a first member, or an empty archive.
bool startsReadably(MemberReader& reader);

// The reader reads every header to the end of the archive.
bool readsToEnd(MemberReader& reader);

}  // namespace MemberExtraction
