#pragma once

#include "platform/fs_error.h"

#include <QString>
#include <QStringList>

class RunProgress;

namespace FileOps {

// What an undo did.
struct UndoOutcome {
    int undone = 0;
    QStringList left;  // names of the files left as they are, to try again later
    platform::FsError error;  // what kept the undo from its journal, if anything
    bool cancelled = false;
};

// Reverses what is left to undo of the run journaled at journalPath, newest
// file first: copies go to the trash, moved files go back under their old
// names (renamed, or copied back and deleted across volumes), deleted files
// and folder trees and every file a placement replaced come back from the
// trash. Newer data is never destroyed: a file changed since the run (size,
// modification time, and inode where the file system keeps inode numbers),
// an old name that another file holds now, or a trashed file that is gone
// leaves its item as it is. Each step is journaled first, so that a start
// after a kill gives every file a name. Cancel stops before the next file;
// files already on their way finish.
UndoOutcome undoRun(const QString& journalPath, RunProgress& progress);

// "元に戻せなかったファイル: a.jpg, b.jpg, ほか N 個".
QString undoLeftMessage(const QStringList& left);

}  // namespace FileOps
