#include "file_ops/copy_one_file.h"

#include "file_ops/target_name.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "shared/result_value.h"

namespace FileOps {

namespace {

qint16 stopWith(const platform::FsError& error)
{
    platform::showError(error);
    return ResultValue::Stop;
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

qint16 deleteMovedSource(const CopyJob& job, const QString& destination)
{
    const QString& sourcePath = job.sourcePath;
    // Copying a file onto itself leaves one file: it must stay.
    if (platform::isSameFile(sourcePath, destination))
        return ResultValue::Proceed;
    platform::FsError error = platform::flushFolder(job.destinationFolder);
    if (error.failed())
        return stopWith(error);
    error = platform::deleteFile(sourcePath);
    if (error.number == platform::ErrorNumber::PathFileAccess) {
        platform::showMessage(sourcePath + QStringLiteral("  の削除に失敗しました。以下の処理をキャンセルします。"));
        return ResultValue::Stop;
    }
    if (error.failed())
        return stopWith(error);
    return ResultValue::Proceed;
}

}  // namespace

QString destinationClashMessage(const QString& destinationPath)
{
    return QStringLiteral("コピー先に同一ファイルがあります。") + destinationPath
        + QStringLiteral(" のコピーはできませんでした。");
}

qint16 copyOneFile(const CopyJob& job)
{
    if (!isUsableTargetName(job.newName, maxNameBytesOf({job.destinationFolder, job.stagingFolder}))) {
        platform::showMessage(unusableNameMessage(nameOf(job.sourcePath), job.newName));
        return ResultValue::Stop;
    }
    const QString destination = platform::joinPath(job.destinationFolder, job.newName);
    const QString staged = platform::joinPath(job.stagingFolder, job.newName);

    const bool destinationExists = platform::fileExists(destination);
    if (destinationExists && !job.overwrite) {
        platform::showMessage(destinationClashMessage(destination));
        return ResultValue::Stop;
    }

    // The data must be on disk before the only other copy goes: the moved
    // source, or the destination file being replaced.
    const bool flushToDisk = job.deleteSource || destinationExists;
    platform::FsError error = platform::copyFile(job.sourcePath, staged, flushToDisk);
    if (error.failed())
        return stopWith(error);

    error = destinationExists ? platform::replaceFile(staged, destination)
                              : platform::renameFile(staged, destination);
    if (error.failed())
        return stopWith(error);

    if (!job.deleteSource)
        return ResultValue::Proceed;
    return deleteMovedSource(job, destination);
}

}  // namespace FileOps
