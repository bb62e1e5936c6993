// Listing a folder, deleting its files, making and removing folders.
#include "platform/file_system.h"

#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FsError listFolder(const QString& folder, QVector<DirEntry>& entries)
{
    entries.clear();
    FolderHandle handle;
    const FsError error = FolderHandle::open(folder, handle);
    return error.failed() ? error : handle.list(entries);
}

FsError deleteFile(const QString& path)
{
    FsError fault = injectedError(FileOperation::DeleteFile, path);
    if (fault.failed())
        return fault;
    struct stat info;
    if (::lstat(encodeFileName(path).constData(), &info) != 0)
        return errorFromErrno(errno, path);
    if (S_ISDIR(info.st_mode) || isReadOnlyEntry(info))
        return makeError(ErrorNumber::PathFileAccess, path);
    if (::unlink(encodeFileName(path).constData()) != 0) {
        if (errno == EACCES || errno == EPERM || errno == EBUSY || errno == EROFS)
            return makeError(ErrorNumber::PathFileAccess, path);
        return errorFromErrno(errno, path);
    }
    return FsError{};
}

FsError removeFolder(const QString& path)
{
    FsError fault = injectedError(FileOperation::RemoveFolder, path);
    if (fault.failed())
        return fault;
    if (::rmdir(encodeFileName(path).constData()) == 0)
        return FsError{};
    return folderRemovalError(errno, path);
}

FsError makeFolder(const QString& path)
{
    FsError fault = injectedError(FileOperation::MakeFolder, path);
    if (fault.failed())
        return fault;
    if (::mkdir(encodeFileName(path).constData(), 0777) == 0)
        return FsError{};
    switch (errno) {
    case EEXIST: return makeError(ErrorNumber::PathFileAccess, path);
    case ENOENT:
    case ENOTDIR: return makeError(ErrorNumber::PathNotFound, path);
    default: return errorFromErrno(errno, path);
    }
}

FsError makeFolderPath(const QString& path)
{
    if (path.isEmpty())
        return makeError(ErrorNumber::PathNotFound, path);
    if (folderExists(path))
        return FsError{};
    const QString parent = parentOf(path);
    if (parent != path && !folderExists(parent)) {
        FsError error = makeFolderPath(parent);
        if (error.failed())
            return error;
    }
    FsError error = makeFolder(path);
    if (error.number == ErrorNumber::PathFileAccess && folderExists(path))
        return FsError{};
    return error;
}

}  // namespace platform
