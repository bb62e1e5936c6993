#pragma once

#include <QString>
#include <QStringList>

// Places under the extraction folder. Only real folders are made or passed
// through: an entry that is a link is never followed.
namespace ExtractionFolder {

// Makes every folder of parts below root that does not exist yet and gives
// back the deepest one; empty when a part is taken by a file or a link or
// cannot be made.
QString makeFolders(const QString& root, const QStringList& parts);

// Clears the place for a new file at path: an earlier file or link of that
// name is deleted. False when a folder is there or the place cannot be cleared.
bool clearFilePlace(const QString& path);

}  // namespace ExtractionFolder
