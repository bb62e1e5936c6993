#include "archive/libarchive_library.h"

bool LibarchiveLibrary::load(const QString& fileName)
{
    return library_.load(fileName) && library_.resolve("archive_version_number", versionNumber)
           && library_.resolve("archive_read_new", readNew) && library_.resolve("archive_read_free", readFree)
           && library_.resolve("archive_read_support_format_zip_seekable", supportZip)
           && library_.resolve("archive_read_support_format_zip_streamable", supportZipStreaming)
           && library_.resolve("archive_read_support_format_lha", supportLha)
           && library_.resolve("archive_read_set_format_option", setFormatOption)
           && library_.resolve("archive_read_open_fd", openFd)
           && library_.resolve("archive_read_next_header", nextHeader)
           && library_.resolve("archive_read_data_block", dataBlock)
           && library_.resolve("archive_entry_pathname", pathname)
           && library_.resolve("archive_entry_pathname_utf8", pathnameUtf8)
           && library_.resolve("archive_entry_size", size) && library_.resolve("archive_entry_size_is_set", sizeIsSet)
           && library_.resolve("archive_entry_is_encrypted", isEncrypted)
           && library_.resolve("archive_entry_filetype", fileType)
           && library_.resolve("archive_entry_hardlink", hardlink)
           && library_.resolve("archive_entry_mtime", modificationTime)
           && library_.resolve("archive_entry_mtime_is_set", modificationTimeIsSet);
}
