#include "folder_delete/removal_level.h"

#include "platform/folder_handle.h"

namespace MarlowFuncUtility {

platform::FsError RemovalLevel::read(const platform::FolderHandle& folder, platform::EntryScope scope)
{
    const platform::FsError error = folder.list(entries);
    for (const platform::DirEntry& entry : entries) {
        if (!entry.isDirectory || entry.name.isEmpty())
            continue;
        if (scope == platform::EntryScope::OrdinaryOnly && !entry.isOrdinary())
            continue;
        subfolders.append(entry.name);
    }
    return error;
}

}  // namespace MarlowFuncUtility
