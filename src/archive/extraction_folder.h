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

}  // namespace ExtractionFolder
