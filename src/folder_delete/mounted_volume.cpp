#include "folder_delete/mounted_volume.h"

#include "folder_delete/removal_level.h"
#include "platform/file_name_codec.h"
#include "platform/folder_handle.h"

#include <QVector>

namespace MarlowFuncUtility {

platform::FsError findMountedVolume(const QString& folder, platform::EntryScope scope, QString& mountPoint)
{
    mountPoint.clear();
    platform::FolderHandle top;
    platform::FolderHandle here;
    platform::FsError error = platform::FolderHandle::open(folder, top);
    if (!error.failed())
        error = platform::FolderHandle::open(folder, here);
    QVector<RemovalLevel> descent(1);
    if (!error.failed())
        error = descent.last().read(here, scope);
    while (!error.failed() && !descent.isEmpty()) {
        RemovalLevel& level = descent.last();
        if (level.next < level.subfolders.size()) {
            platform::FolderHandle child;
            error = here.openSubfolder(level.subfolders.at(level.next++), child);
            if (error.failed())
                break;
            if (!child.isOnSameVolume(top)) {
                mountPoint = child.path();
                break;
            }
            here = std::move(child);
            descent.append(RemovalLevel{});
            error = descent.last().read(here, scope);
            continue;
        }
        descent.removeLast();
        if (!descent.isEmpty())
            error = here.openParent(here);
    }
    return error;
}

QString mountedVolumeMessage(const QString& mountPoint)
{
    return platform::readableFileName(mountPoint)
        + QStringLiteral(" には別のドライブ（ボリューム）がマウントされているため、削除できません。");
}

}  // namespace MarlowFuncUtility
