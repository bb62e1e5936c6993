#include "main_window/work_folders.h"

#include "file_ops/placement_plan.h"
#include "file_ops/remove_folder_tree.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace WorkFolders {

QString programFolderFrom(const QString& applicationFolder)
{
    QString folder = applicationFolder;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

bool isInstalled(const QString& programFolder, bool ownedByUser, bool writable)
{
    const bool underUsr = programFolder == QLatin1String("/usr") || programFolder.startsWith(QLatin1String("/usr/"));
    return underUsr || !ownedByUser || !writable;
}

bool isInstalled(const QString& programFolder)
{
    const QByteArray folder = platform::encodeFileName(programFolder.isEmpty() ? QStringLiteral("/") : programFolder);
    struct stat status {};
    const bool ownedByUser = ::stat(folder.constData(), &status) == 0 && status.st_uid == ::geteuid();
    const bool writable = ::access(folder.constData(), W_OK) == 0;
    return isInstalled(programFolder, ownedByUser, writable);
}

QString baseFolder(const QString& programFolder)
{
    if (!isInstalled(programFolder))
        return programFolder;
    // One folder per deliverable, so that both may run side by side.
    const QString userFolder = platform::joinPath(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation), QStringLiteral(VELDA_PROGRAM_NAME));
    const platform::FsError error = platform::makeFolderPath(userFolder);
    if (error.failed() && !platform::folderExists(userFolder))
        platform::showError(error);
    return userFolder;
}

QString manualPath(const QString& programFolder, bool installed)
{
    if (!installed)
        return programFolder + QStringLiteral("/manual.html");
    return QDir::cleanPath(programFolder + QStringLiteral("/" VELDA_INSTALLED_MANUAL));
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
