#pragma once

#include "platform/file_system.h"

#include <QString>

class RunProgress;

namespace MarlowFuncUtility {

// Removes folder with every file and subfolder in it, the folder itself last:
// one leaf folder at a time, always the first one met by descending along the
// first subfolder (in listing order) of each level. Stops at the first failure
// with one "Error-" message and gives back 9; a missing folder is no failure.
// Ordinary scope never sees hidden or system entries, so a folder holding
// them cannot be removed; links are removed as entries, never entered. A tree
// that holds another mounted volume is refused whole, before anything is
// deleted, with a message naming the mount point (9).
// With progress, each leaf folder is a step; Cancel stops before the next
// one and gives back 9.
qint16 RemoveFolderTree(const QString& folder,
                        platform::EntryScope scope = platform::EntryScope::OrdinaryOnly,
                        RunProgress* progress = nullptr);

// Deletes every file of folder, then the folder; 53 (no file) and 76 (no
// folder) are no failures. Gives back 0 or 9 (after its message).
qint16 RemoveLeafFolder(const QString& folder,
                        platform::EntryScope scope = platform::EntryScope::OrdinaryOnly);

}  // namespace MarlowFuncUtility
