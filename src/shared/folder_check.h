#pragma once

#include "platform/fs_error.h"

#include <QString>

#include <functional>

// The check of the main window's source and destination folders: the text of a
// folder field becomes a folder path, the file list is pointed at it, and once
// the list shows it, it becomes the stored folder. A missing source is
// refused; a missing destination is offered for creation.
namespace FolderCheck {

// What one check works on: a folder field, its file list, its stored folder.
// The field shows paths readably and holds the exact path it was last given
// (platform::PathField).
struct FolderSide {
    QString fieldText;
    QString heldPath;
    std::function<void(const QString&)> setFieldPath;
    // Points the file list at a folder; a missing folder fails with 76 and
    // leaves the list as it was.
    std::function<platform::FsError(const QString&)> showFolder;
    QString& storedFolder;
};

// The exact folder path a field's text stands for: blanks trimmed first, then
// line breaks removed (so blanks before a trailing line break stay), made
// absolute against the current folder, without a trailing separator unless it
// is the root, and read back to exact names against the path the field held
// (platform::exactPathOf). An empty text stays empty.
QString folderPathOf(const QString& fieldText, const QString& heldPath = QString());

// Whether leaving a folder field must check it: its text, trimmed of blanks,
// is not what the field shows of the stored folder. Paths compare as the file
// system does: exactly.
bool fieldDiffers(const QString& fieldText, const QString& storedFolder);

// Source folder. Accepted: stored, 0. Missing or empty: reported, the stored
// folder comes back into the field and the list, 9. Any other failure:
// reported, the field keeps its text, 9.
[[nodiscard]] qint16 checkSource(const FolderSide& side);

// Destination folder, as the source, except that a missing folder is offered
// for creation with every missing level. Declined: the stored folder comes
// back, 9. A creation that fails is reported and refused, 9, so the stored
// folder always exists when it changes.
[[nodiscard]] qint16 checkDestination(const FolderSide& side);

}  // namespace FolderCheck
