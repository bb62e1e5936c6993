#pragma once

#include <QString>

// The folder picker of the shared module. The dialog itself is behind a seam:
// the windowed program installs one over the toolkit's folder dialog, tests
// install a scripted one.
namespace MarlowFuncUtility {

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // Shows a modal dialog that confirms only real folders, anywhere in the
    // file system. The chosen folder's exact full path (file_name_codec.h), or
    // an empty text on cancel.
    virtual QString pickFolder(const QString& title) = 0;
};

// Not owned. nullptr puts back the fallback, which logs and cancels.
void setFolderPicker(FolderPicker* picker);

// Lets the user choose a folder. After a choice: the folder's full path,
// padded with NUL characters to 256 characters (a longer path comes back
// whole, unpadded). After a cancel: CancelledPick().
QString BrowseForFolder();

// 256 NUL characters: the result of a cancelled BrowseForFolder.
QString CancelledPick();

// Whether a BrowseForFolder result is the cancel value.
bool IsCancelledPick(const QString& pickResult);

// The chosen path of a BrowseForFolder result: the part before the first NUL
// character, trimmed of blanks.
QString PickedPath(const QString& pickResult);

}  // namespace MarlowFuncUtility
