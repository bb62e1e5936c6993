#pragma once

#include <QString>

class ExtractionProgress;

namespace MarlowFuncUtility {

// Extracts the LZH or ZIP archive at archivePath into destinationFolder (the
// emptied work folder, its path ending in a separator) through its archiver
// library. Result 0 when the library ran the extraction, also when the
// extraction itself reported a failure; memberCount is then the number of
// files written when it succeeded, else left as it was. Members not written
// (skipped for safety or failed) and members written under another name are
// listed to the user in one message. Result 9 when nothing was extracted:
// the path does not end in "lzh" or "zip", the library cannot be loaded
// (after the message "該当するDLLがありません。"), the file is no valid archive (no
// message), its directory is encrypted, its files would not fit on the disk,
// a member grew past its declared size (these three after a message), or
// progress answered that the user cancelled (no message). After a stop the
// destination folder is emptied again.
void ExtractArchive(const QString& archivePath, const QString& destinationFolder, qint32& memberCount,
                    qint16& result, ExtractionProgress* progress = nullptr);

}  // namespace MarlowFuncUtility
