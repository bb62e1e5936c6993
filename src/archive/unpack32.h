#pragma once

#include "archive/member_extraction.h"

#include <QString>

#include <stdexcept>

class ExtractionProgress;

// The two archivers, each behind the four calls of its classic library:
// unlha32 for LZH (liblhasa, with libarchive reading what liblhasa refuses)
// and unzip32 for ZIP (libarchive). Each library is loaded by name at its
// first use and stays loaded. Strings are NUL-terminated, in the file
// system's encoding.
namespace Unpack32 {

// Raised by every call when its library cannot be loaded or lacks a function.
class LibraryMissing : public std::runtime_error {
public:
    explicit LibraryMissing(const QString& library);
};

// Results of Unlha and UnZip besides 0 (every member extracted).
namespace Code {
constexpr int Success = 0;
constexpr int CommandLine = 0x8001;      // not "e"/"-xs" and two quoted paths
constexpr int OutputFolder = 0x8002;     // the destination folder does not exist
constexpr int NotArchive = 0x8003;       // nothing readable of this format
constexpr int ArchiveBroken = 0x8004;    // readable only up to a damaged part
constexpr int MemberFailed = 0x8005;     // a member could not be written
constexpr int NoRoom = 0x8006;           // the declared sizes do not fit: nothing written
constexpr int MemberTooLarge = 0x8007;   // a member grew past its declared size: stopped
constexpr int Cancelled = 0x8008;        // stopped before a member at the caller's word
constexpr int EncryptedDirectory = 0x8009;  // the ZIP's directory itself is encrypted: nothing readable
}  // namespace Code

// The check mode of CheckArchive: the file is an archive of the format whose
// first member (or end) can be read. It is the only mode offered.
constexpr int CheckRapid = 0;

// liblhasa has no version of its own to report: 0 once it is loaded.
int UnlhaGetVersion();
// Non-zero for a readable LZH archive.
int UnlhaCheckArchive(const char* archivePath, int mode);
// commandLine: e "archive" "destination/"; extracts every member below the
// destination, keeping the folders. output receives one line per member.
int Unlha(quintptr ownerWindow, const char* commandLine, char* output, int outputSize);
// The number of files that Unlha writes from the archive.
int UnlhaGetFileCount(const char* archivePath);

// libarchive's version number.
int UnZipGetVersion();
int UnZipCheckArchive(const char* archivePath, int mode);
// commandLine: -xs "archive" "destination/".
int UnZip(quintptr ownerWindow, const char* commandLine, char* output, int outputSize);
int UnZipGetFileCount(const char* archivePath);

enum class Format { Lzh, Zip };

// One run of Unlha or UnZip, with all that the run found. The declared sizes
// and the file count come from a ZIP's central directory or from one walk
// over the LZH headers (which also picks liblhasa or libarchive); the
// extraction walks once more.
struct Extraction {
    int code = Code::Success;
    MemberExtraction::Outcome outcome;
    qint64 declaredBytes = 0;  // NoRoom: what the archive would need ...
    qint64 freeBytes = 0;      // ... and what is free
};

// Raises LibraryMissing like the calls above. What was written before a stop
// (MemberTooLarge, Cancelled) is left for the caller to remove.
Extraction extract(Format format, const QString& archivePath, const QString& destinationFolder,
                   ExtractionProgress* progress = nullptr);

// The libraries' file names, "liblhasa.so.0" and "libarchive.so.13" unless
// set here; a library already loaded is let go and loaded anew by the new name.
void setLibraryFileNames(const QString& lhasa, const QString& libarchive);

}  // namespace Unpack32
