#include "archive/archive_work_folder.h"

#include "file_ops/remove_folder_tree.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace ArchiveWorkFolder {

bool makeEmpty(const QString& folder)
{
    if (MarlowFuncUtility::RemoveFolderTree(folder, platform::EntryScope::All) > 0)
        return false;
    const platform::FsError error = platform::makeFolder(folder);
    if (error.failed()) {
        platform::showError(error);
        return false;
    }
    return true;
}

}  // namespace ArchiveWorkFolder
