#pragma once

#include "file_ops/placement_run.h"

#include <QString>
#include <QtGlobal>

namespace FileOps {

// One file to be copied into destinationFolder as newName, by way of a staged
// copy in stagingFolder.
struct CopyJob {
    QString sourcePath;
    QString newName;
    QString destinationFolder;
    QString stagingFolder;
    bool deleteSource = false;  // move
    bool overwrite = false;
};

// Copies or moves one file as a step of run and shows its own messages.
// Gives back 0 to go on, 9 when the run must stop after this file.
//
// Nothing is ever left only in the staging folder: the staged copy is placed
// with one rename (atomic also when it replaces a file), and a moved source is
// deleted only once its copy is placed and on disk (see MovedSources), never
// when source and destination are one entry, nor when it changed after it was
// copied. A move within one mounted volume is a rename into place instead; a
// move onto another name (hard link) of the same file takes the source name
// away. An existing destination, hidden ones included, is replaced only when
// overwriting is on. Names clash as the destination's file system tells them
// apart (platform::letterCaseOf). Every hidden file made on the way, and
// every file placed, is noted in the run's journal.
qint16 copyOneFile(PlacementRun& run, const CopyJob& job);

// The clash message of a destination that holds a file of the new name.
QString destinationClashMessage(const QString& destinationPath);

}  // namespace FileOps
