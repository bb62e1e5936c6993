#pragma once

#include "platform/fs_error.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>

struct stat;

// Which file a path reaches is told by (device, inode), never by its name.
// FUSE file systems without inode numbers of their own (exFAT through FUSE)
// give one file another number under each spelling of its name, so a
// differing number never proves two files differ there; an equal one does
// prove them the same.
namespace platform {

// Which file a path names: it stays with the file under any name.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode;
    }
};

// A file as it was when read: which file, how long, when last changed.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;  // -1: nothing was there
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    bool exists() const { return size >= 0; }
    // The same file, whatever it holds now (see above for FUSE).
    bool isSameFileAs(const FileStamp& other) const { return device == other.device && inode == other.inode; }

    bool operator==(const FileStamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size
            && modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
    // What a run left as then, unchanged since: the same size and time, and
    // the same inode where the file system keeps inode numbers of its own.
    bool isAsLeft(const FileStamp& then, bool keepsInodeNumbers) const
    {
        return exists() && (inode == then.inode || !keepsInodeNumbers) && size == then.size
            && modifiedSeconds == then.modifiedSeconds && modifiedNanoseconds == then.modifiedNanoseconds;
    }
};

FileStamp stampOf(const struct stat& info);
// The entry at path, a link not followed; size -1 when there is none or it
// cannot be looked at, lookupError then telling why.
FileStamp stampOf(const QString& path, FsError* lookupError = nullptr);

// True when a and b are two entries (hard links) of one file; false for two
// files, and for one entry reached by two spellings of its name.
bool areTwoNamesOfOneFile(const QString& a, const QString& b);

}  // namespace platform
