#pragma once

#include "platform/file_system.h"

#include <QString>

namespace MarlowFuncUtility {

// Walks the tree below folder as its removal would (links never entered,
// hidden and system folders only in the scope All) and gives in mountPoint
// the path of the first folder that lies on another mounted volume, or an
// empty text. A folder of the tree that cannot be read fails the walk.
platform::FsError findMountedVolume(const QString& folder, platform::EntryScope scope, QString& mountPoint);

// The refusal shown instead of removing a tree that holds mountPoint.
QString mountedVolumeMessage(const QString& mountPoint);

}  // namespace MarlowFuncUtility
