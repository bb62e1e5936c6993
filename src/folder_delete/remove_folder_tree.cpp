#include "folder_delete/remove_folder_tree.h"

#include "folder_delete/mounted_volume.h"
#include "folder_delete/removal_level.h"
#include "platform/folder_handle.h"
#include "platform/message_box.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

#include <QVector>

namespace MarlowFuncUtility {

namespace {

// Shows a failure that is not one of the excused outcomes; gives back the result.
qint16 reported(const platform::FsError& error, int excused = 0)
{
    if (!error.failed() || error.number == excused)
        return ResultValue::Proceed;
    platform::showError(error);
    return ResultValue::Stop;
}

qint16 removeLink(const QString& folder)
{
    QString link = folder;
    while (link.endsWith(QLatin1Char('/')))
        link.chop(1);
    return reported(platform::deleteFile(link));
}

int filesOf(const RemovalLevel& level, platform::EntryScope scope)
{
    int files = 0;
    for (const platform::DirEntry& entry : level.entries)
        files += !entry.isDirectory && (scope == platform::EntryScope::All || entry.isOrdinary());
    return files;
}

qint16 refuseOtherVolumes(const QString& folder, platform::EntryScope scope)
{
    QString mountPoint;
    const platform::FsError error = findMountedVolume(folder, scope, mountPoint);
    if (error.failed() || mountPoint.isEmpty())
        return reported(error);
    platform::showMessage(mountedVolumeMessage(mountPoint));
    return ResultValue::Stop;
}

}  // namespace

qint16 RemoveFolderTree(const QString& folder, platform::EntryScope scope, RunProgress* progress)
{
    // A link given as the folder goes as an entry; what it points to stays.
    if (platform::isLink(folder))
        return removeLink(folder);
    platform::FolderHandle top;
    platform::FsError error = platform::FolderHandle::open(folder, top);
    if (error.number == platform::ErrorNumber::PathNotFound)
        return ResultValue::Proceed;
    if (error.failed())
        return reported(error);

    // Nothing goes before the whole tree is known to lie on this one volume.
    const qint16 checked = refuseOtherVolumes(folder, scope);
    if (checked > 0)
        return checked;

    // One handle walks the tree: depth and path length never matter.
    platform::FolderHandle here;
    error = platform::FolderHandle::open(folder, here);
    if (error.failed())
        return reported(error);
    QVector<RemovalLevel> descent(1);
    error = descent.last().read(here, scope);
    if (error.failed())
        return reported(error);
    while (!descent.isEmpty()) {
        RemovalLevel& level = descent.last();
        if (level.next < level.subfolders.size()) {
            platform::FolderHandle child;
            error = here.openSubfolder(level.subfolders.at(level.next++), child);
            if (error.failed())
                return reported(error);
            // A volume mounted since the tree was checked is not entered either.
            if (!child.isOnSameVolume(top)) {
                platform::showMessage(mountedVolumeMessage(child.path()));
                return ResultValue::Stop;
            }
            here = std::move(child);
            descent.append(RemovalLevel{});
            error = descent.last().read(here, scope);
            if (error.failed())
                return reported(error);
            continue;
        }
        if (progress && !progress->step(here.path()))
            return ResultValue::Stop;
        const qint16 emptied = reported(here.deleteFiles(level.entries, scope));
        if (emptied > 0)
            return emptied;
        if (progress)
            progress->done(filesOf(level, scope));
        descent.removeLast();
        if (descent.isEmpty())
            break;
        const QString leaf = here.path().mid(here.path().lastIndexOf(QLatin1Char('/')) + 1);
        error = here.openParent(here);
        if (error.failed())
            return reported(error);
        const qint16 removed = reported(here.removeSubfolder(leaf), platform::ErrorNumber::PathNotFound);
        if (removed > 0)
            return removed;
    }
    return reported(platform::removeFolder(folder), platform::ErrorNumber::PathNotFound);
}

qint16 RemoveLeafFolder(const QString& folder, platform::EntryScope scope)
{
    const qint16 emptied = reported(platform::deleteMatchingFiles(folder, QStringLiteral("*.*"), scope),
                                    platform::ErrorNumber::FileNotFound);
    if (emptied > 0)
        return emptied;
    return reported(platform::removeFolder(folder), platform::ErrorNumber::PathNotFound);
}

}  // namespace MarlowFuncUtility
