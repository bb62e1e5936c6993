#pragma once

#include "platform/fs_error.h"

#include <QString>

#include <functional>

// How the file system holding a folder treats names.
namespace platform {

// The longest file name, in bytes as stored, that folder's file system accepts.
int maxFileNameBytes(const QString& folder);

// True when folder is on a file system of the FAT family (FAT, exFAT, also
// through FUSE), whose names cannot hold some characters that Linux allows.
bool storesFatNamesOnly(const QString& folder);

// Whether a folder tells apart names that differ only in letter case. On
// ext4, tmpfs, xfs or btrfs "IMG_1.JPG" and "img_1.jpg" are two files; on the
// FAT family of USB sticks and SD cards, and in case-folded ext4 folders, they
// are one.
enum class LetterCase { Exact, Ignored };

// Told the path of a hidden probe file before it is made, so that a probe
// left by a killed program can be removed at the next start. A failure keeps
// the probe from being made.
using ProbeNote = std::function<FsError(const QString& probePath)>;

// The file system's answer for folder: from its type and the folder's
// case-fold attribute where those tell it, else from a hidden file made and
// looked up in another case. Exact where nothing can tell.
LetterCase letterCaseOf(const QString& folder, const ProbeNote& noteProbe = {});

// False where the file system makes up inode numbers as it goes (FAT,
// exFAT, FUSE, SMB shares): there a file may have another number after
// a rename or a new mount, and only an equal number tells anything.
bool keepsInodeNumbers(const QString& folder);

// name as names of such a folder compare: two names of one file give one key.
QString nameKey(const QString& name, LetterCase letterCase);

}  // namespace platform
