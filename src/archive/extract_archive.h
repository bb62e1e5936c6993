#pragma once

#include <QString>

namespace MarlowFuncUtility {

// Extracts the LZH or ZIP archive at archivePath into destinationFolder (a
// folder path ending in a separator) through its archiver library. Result 0
// when the library ran the extraction, also when the extraction itself
// reported a failure; memberCount is then the library's count of members
// when it succeeded, else left as it was. Result 9 when nothing was
// extracted: the path does not end in "lzh" or "zip", the library cannot be
// loaded (after the message "該当するDLLがありません。"), or the file is no
// valid archive (no message).
void ExtractArchive(const QString& archivePath, const QString& destinationFolder, qint32& memberCount,
                    qint16& result);

}  // namespace MarlowFuncUtility
