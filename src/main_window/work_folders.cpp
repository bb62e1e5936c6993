#include "main_window/work_folders.h"

#include "file_ops/placement_plan.h"
#include "folder_delete/remove_folder_tree.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace WorkFolders {

QString programFolderFrom(const QString& applicationFolder)
{
    QString folder = applicationFolder;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString baseFolder(const QString& programFolder)
{
    const QString folder = programFolder.isEmpty() ? QStringLiteral("/") : programFolder;
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return programFolder;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    platform::makeFolderPath(userFolder);
    return userFolder;
}

void takeOverPlacementAccount(const QString& baseFolder)
{
    const QString account = platform::joinPath(baseFolder, QStringLiteral(".velda-placements"));
    QVector<QPair<QString, QString>> restored;
    const platform::FsError error = platform::settleUnfinishedPlacements(account, restored);
    for (const auto& file : restored) {
        if (file.first != file.second)
            platform::showMessage(FileOps::keptUnderMessage(file.first, file.second));
    }
    if (error.failed())
        platform::showError(error);
    platform::setPlacementAccount(account);
}

void recreate(const QString& folder)
{
    remove(folder);
    const platform::FsError error = platform::makeFolder(folder);
    if (error.failed() && !platform::folderExists(folder))
        platform::showError(error);
}

void remove(const QString& folder)
{
    MarlowFuncUtility::RemoveFolderTree(folder, platform::EntryScope::All);
}

Lock::Lock(const QString& baseFolder)
    : file_(std::make_unique<QLockFile>(platform::joinPath(baseFolder, QStringLiteral(".velda.lock"))))
{
}

Lock::~Lock() = default;

bool Lock::tryAcquire()
{
    // A lock left by a copy that no longer runs is taken over.
    return file_->tryLock(0);
}

QString alreadyRunningMessage()
{
    return QStringLiteral("Veldaは既に起動しています。作業フォルダーを使用中のため、終了します。");
}

}  // namespace WorkFolders
