#pragma once

#include "archive/shared_library.h"

#include <archive.h>
#include <archive_entry.h>

// The functions of libarchive that the archivers use.
struct LibarchiveLibrary {
    // False unless the library loads and has every function.
    bool load(const QString& fileName);

    decltype(&archive_version_number) versionNumber = nullptr;
    decltype(&archive_read_new) readNew = nullptr;
    decltype(&archive_read_free) readFree = nullptr;
    decltype(&archive_read_support_format_zip_seekable) supportZip = nullptr;
    decltype(&archive_read_support_format_zip_streamable) supportZipStreaming = nullptr;
    decltype(&archive_read_support_format_lha) supportLha = nullptr;
    decltype(&archive_read_set_format_option) setFormatOption = nullptr;
    decltype(&archive_read_open_fd) openFd = nullptr;
    decltype(&archive_read_next_header) nextHeader = nullptr;
    decltype(&archive_read_data_block) dataBlock = nullptr;
    decltype(&archive_entry_pathname) pathname = nullptr;
    decltype(&archive_entry_pathname_utf8) pathnameUtf8 = nullptr;
    decltype(&archive_entry_size) size = nullptr;
    decltype(&archive_entry_size_is_set) sizeIsSet = nullptr;
    decltype(&archive_entry_is_encrypted) isEncrypted = nullptr;
    decltype(&archive_entry_filetype) fileType = nullptr;
    decltype(&archive_entry_hardlink) hardlink = nullptr;
    decltype(&archive_entry_mtime) modificationTime = nullptr;
    decltype(&archive_entry_mtime_is_set) modificationTimeIsSet = nullptr;

private:
    SharedLibrary library_;
};
