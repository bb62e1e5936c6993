#pragma once

#include "platform/file_system.h"

#include <QStringList>
#include <QVector>

namespace platform {
class FolderHandle;
}

namespace MarlowFuncUtility {

// One level of a removal's descent. Its entries are read once: removing a
// subfolder leaves the order of the others as it was, so walking this list
// visits the folders exactly as descending again from the top would, without
// listing every level again for every folder removed.
struct RemovalLevel {
    QVector<platform::DirEntry> entries;
    QStringList subfolders;  // the ones the removal enters, in listing order
    int next = 0;

    platform::FsError read(const platform::FolderHandle& folder, platform::EntryScope scope);
};

}  // namespace MarlowFuncUtility
