#include "file_ops/trash_folder_tree.h"

#include "file_ops/remove_folder_tree.h"
#include "file_ops/run_journal.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"
#include "platform/message_box.h"
#include "platform/mount_points.h"
#include "platform/path_parts.h"
#include "platform/trash.h"
#include "shared/result_value.h"

namespace FileOps {

namespace {

qint16 refused(const QString& message)
{
    platform::showMessage(message);
    return ResultValue::Stop;
}

// The mount point a folder tree holds, on itself or inside; empty when none.
QString mountedWithin(const QString& folder, platform::FsError& error)
{
    platform::FolderHandle handle;
    error = platform::FolderHandle::open(folder, handle);
    if (error.failed() || handle.isMountRoot())
        return error.failed() ? QString() : folder;
    const QByteArray realFolder = handle.realPath();
    const QByteArray mountPoint = platform::mountPointWithin(realFolder);
    return mountPoint.isEmpty()
        ? QString()
        : platform::joinPath(folder, platform::decodeFileName(mountPoint.mid(realFolder.size() + 1)));
}

}  // namespace

qint16 trashFolderTree(const QString& folder, RunJournal& journal)
{
    platform::FsError error;
    // A link goes to the trash as itself: what it leads to stays.
    const QString mountPoint = platform::isLink(folder) ? QString() : mountedWithin(folder, error);
    if (!mountPoint.isEmpty())
        return refused(MarlowFuncUtility::mountedVolumeMessage(mountPoint));
    if (!error.failed())
        error = journal.plan({platform::parentOf(folder)}, {PlannedFile{0, platform::nameOf(folder), -1, QString()}});
    const platform::FileStamp stamp = platform::stampOf(folder);
    platform::TrashEntry entry;
    if (!error.failed()) {
        error = platform::moveToTrash(folder, entry, stamp, [&journal, &folder, &stamp](const platform::TrashEntry& reserved) {
            return journal.trashing(0, folder, reserved, stamp);
        });
    }
    return error.failed() ? refused(platform::errorMessageText(error) + QChar(13) + folder) : ResultValue::Proceed;
}

}  // namespace FileOps
