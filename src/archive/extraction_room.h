#pragma once

#include <QString>

// Whether the files an archive declares fit on the extraction folder's file
// system, so that an archive that expands enormously is refused before it
// fills the disk.
namespace ExtractionRoom {

// What must stay free after an extraction: 5% of the file system, at most 1 GiB.
qint64 margin(qint64 fileSystemBytes);

bool fits(qint64 declaredBytes, qint64 freeBytes, qint64 fileSystemBytes);

struct Space {
    bool known = false;
    qint64 freeBytes = 0;
    qint64 fileSystemBytes = 0;
};

// The space of the file system that holds folder, as an unprivileged user has it.
Space of(const QString& folder);

}  // namespace ExtractionRoom
