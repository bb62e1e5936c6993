#pragma once

#include <QString>

#include <optional>

// The central directory of a ZIP archive, read from its bytes. libarchive
// reads it too, but offers its sizes only header by header, which would take
// a second walk over the archive before the extraction.
namespace ZipDirectory {

// The sizes the directory declares for its entries, summed (ZIP64 included);
// nothing when the file has no directory that reads cleanly.
std::optional<qint64> declaredBytes(const QString& archivePath);

}  // namespace ZipDirectory
