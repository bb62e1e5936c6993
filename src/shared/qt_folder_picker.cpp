#include "shared/qt_folder_picker.h"

#include "platform/control_array.h"

#include <QFileDialog>

namespace MarlowFuncUtility {

QString QtFolderPicker::pickFolder(const QString& title)
{
    platform::ModalDialogScope modal;
    return QFileDialog::getExistingDirectory(nullptr, title, QString(), QFileDialog::ShowDirsOnly);
}

}  // namespace MarlowFuncUtility
