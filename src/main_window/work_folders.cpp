#include "main_window/work_folders.h"

#include "file_ops/remove_folder_tree.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

#include <QLockFile>

#include <cerrno>

#include <unistd.h>

namespace WorkFolders {

namespace {

QString failureMessage(const QString& what, const QString& folder, const platform::FsError& error)
{
    return what.arg(platform::readableFileName(folder)) + QChar(13) + platform::errorMessageText(error);
}

}  // namespace

QString manualNotOpenedMessage(const QString& manualPath)
{
    return QStringLiteral("操作説明を開くプログラム（ウェブブラウザー）が見つかりません。操作説明は次の場所にあります。")
         + QChar(13) + platform::readableFileName(manualPath);
}

void recreate(const QString& folder)
{
    remove(folder);
    const platform::FsError error = platform::makeFolder(folder);
    if (error.failed() && !platform::folderExists(folder))
        platform::showMessage(failureMessage(QStringLiteral("作業フォルダー %1 を作成できません。"), folder, error));
}

void remove(const QString& folder)
{
    MarlowFuncUtility::RemoveFolderTree(folder, platform::EntryScope::All);
}

Lock::Lock(const QString& baseFolder)
    : folder_(baseFolder)
    , file_(std::make_unique<QLockFile>(platform::joinPath(baseFolder, QStringLiteral(".velda.lock"))))
{
}

Lock::~Lock() = default;

Lock::Outcome Lock::tryAcquire()
{
    reason_ = platform::makeFolderPath(folder_);
    if (reason_.failed())
        return Outcome::Unusable;
    // A lock left by a copy that no longer runs is taken over.
    if (file_->tryLock(0))
        return Outcome::Acquired;
    if (file_->error() == QLockFile::LockFailedError)
        return Outcome::HeldByAnother;
    // QLockFile does not say why: ask the folder itself.
    reason_ = ::access(platform::encodeFileName(folder_).constData(), W_OK | X_OK) == 0
                  ? platform::makeError(platform::ErrorNumber::PermissionDenied)
                  : platform::errorFromErrno(errno, folder_);
    return Outcome::Unusable;
}

QString Lock::unusableMessage() const
{
    return failureMessage(QStringLiteral("作業フォルダー %1 を使用できないため、終了します。"), folder_, reason_);
}

QString alreadyRunningMessage()
{
    return QStringLiteral("Veldaは既に起動しています。作業フォルダーを使用中のため、終了します。");
}

}  // namespace WorkFolders
