#pragma once

#include <QString>
#include <QtGlobal>

namespace FileOps {

class RunJournal;

// Moves folder with everything in it into the trash of its own volume by one
// rename, however large the tree, noted in journal as the run's one item.
// A tree that holds a mounted volume is refused with the message that names
// the mount point, as its removal would be; any other failure is reported.
// Gives back 0, or 9 after the message.
qint16 trashFolderTree(const QString& folder, RunJournal& journal);

}  // namespace FileOps
