#pragma once

#include <QString>
#include <QStringList>

// Folders the folder deletion window must never delete.
namespace DeletionGuard {

// The message that refuses folder, or an empty text when it may be deleted:
// a file-system root (where any volume is mounted), or the program's own folder
// or a work folder, or a folder holding one of them. Paths are compared after
// links, "." and ".." are resolved, and folders by identity too (bind mounts).
QString refusal(const QString& folder, const QStringList& protectedFolders);

QString rootMessage();
QString programFolderMessage();

}  // namespace DeletionGuard
