#pragma once

#include "platform/fs_error.h"

#include <QString>

namespace platform {

// The file operations a test can make fail. Copy fails after part of the data
// has been written, so the clean-up of a partial copy is exercised too.
enum class FileOperation {
    List,
    ReadEntries,  // a folder opened, then reading its entries fails
    MountPoint,   // the folder counts as another mounted volume (any number)
    DeleteFile,
    RemoveFolder,
    MakeFolder,
    Copy,
    SetTimes,     // a copy's times cannot be set
    Rename,
    LinkFallback,  // no no-replace renames here (any number): a hard link is tried instead
    Replace,
    Flush,
};

// Test seam: the next matching operation fails with errorNumber. An operation
// matches when its kind is the same and, if pathPart is not empty, one of its
// paths contains pathPart; the first skipMatches matching calls still succeed.
// The fault fires once and is then cleared.
void injectFault(FileOperation operation, int errorNumber, const QString& pathPart = QString(),
                 int skipMatches = 0);
void clearInjectedFaults();

// Called by the file layer: the error number to fail with, or 0.
int takeInjectedFault(FileOperation operation, const QString& path,
                      const QString& otherPath = QString());
// The same as an error to give back, naming otherPath where given (the
// target of a copy or rename), else path; no failure when none is pending.
FsError injectedError(FileOperation operation, const QString& path, const QString& otherPath = QString());

}  // namespace platform
