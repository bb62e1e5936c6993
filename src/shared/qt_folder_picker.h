#pragma once

#include "shared/folder_picker.h"

namespace MarlowFuncUtility {

// The toolkit's folder dialog: folders only, the whole file system, no owner
// window, modal to the whole program.
class QtFolderPicker : public FolderPicker {
public:
    QString pickFolder(const QString& title) override;
};

}  // namespace MarlowFuncUtility
