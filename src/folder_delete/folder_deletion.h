#pragma once

#include "platform/fs_error.h"
#include "shared/folder_check.h"

#include <QString>
#include <QStringList>

class RunProgressView;

// What the folder deletion window decides: which typed folder it accepts as
// the one to delete, where the folder list goes when the user picks a drive,
// and whether the Delete button refuses, asks, or deletes.
namespace FolderDeletion {

// Control-array indices of the window.
constexpr int PathFieldIndex = 5;  // Text1
constexpr int FileListIndex = 2;   // File1

QString pathFieldHint();
QString fileListHint();

// Checks the path field's text: blanks trimmed, line breaks removed, made
// absolute and clean (no "." or ".." left, so the folder named is the folder
// deleted). Accepted when the file list shows it: stored, 0. Missing: reported,
// the stored folder comes back into the field and the list, 9. Any other
// failure: reported, field and list stay as they are, 9.
qint16 checkDeleteFolder(const FolderCheck::FolderSide& side);

// The folder the folder list opens when the user picks a drive: the current
// folder when it lies on that drive, else the drive's root. error is set
// when that folder cannot be read; the window then stays where it was.
struct DriveFolder {
    QString folder;
    platform::FsError error;
};
DriveFolder folderOfDrive(const QString& drive);

// The question asked before folder is deleted.
QString deleteQuestion(const QString& folder);

enum class DeleteOutcome {
    Refused,   // a root or the program's own folders: said so, nothing asked
    Declined,  // No, or no folder accepted yet: nothing deleted
    Removed,   // Yes: the tree was removed, or its failure was reported
};

// The Delete button: refuses a protected folder, else asks and on Yes moves
// the folder with everything in it into the trash, as one journaled run that
// 元に戻す can reverse. With forGood (Shift held), or where no trash can be
// reached and the user agrees when asked, the folder is removed for good
// instead: progressView shows a long removal, files done of all, and may
// cancel it after the file being deleted; a cancelled removal is then said to
// have stopped, with how much went. Should the folder take the process's
// current folder with it, the current folder moves up to the nearest folder
// left, so that the main window has a folder to start from.
DeleteOutcome deleteFolder(const QString& folder, const QStringList& protectedFolders,
                           RunProgressView* progressView = nullptr, bool forGood = false);

}  // namespace FolderDeletion
