#pragma once

#include "platform/file_system.h"

#include <QString>

class RunProgress;

namespace MarlowFuncUtility {

// Removes folder with every file and subfolder in it, the folder itself last,
// depth first and each folder's subfolders in listing order. Stops at the
// first failure with one message and gives back 9; a missing folder is no
// failure. Ordinary scope never sees hidden or system entries, so a folder
// holding them cannot be removed; links are removed as entries, never entered.
// Nothing goes before the whole tree has been looked at: a folder on which a
// volume is mounted, or a tree that holds one (on a folder or a single file),
// is refused with a message naming the mount point (9). A folder of the tree
// that another program moves elsewhere meanwhile stops the removal with a
// message naming it (9): nothing outside the tree is ever deleted.
// With progress, the tree's files are counted first and each file is a step;
// Cancel stops before the next file and gives back 9.
[[nodiscard]] qint16 RemoveFolderTree(const QString& folder,
                        platform::EntryScope scope = platform::EntryScope::OrdinaryOnly,
                        RunProgress* progress = nullptr);

// The refusal shown instead of removing a tree that holds mountPoint.
QString mountedVolumeMessage(const QString& mountPoint);

// Shown when folder was moved out of the tree during its removal.
QString movedFolderMessage(const QString& folder);

}  // namespace MarlowFuncUtility
