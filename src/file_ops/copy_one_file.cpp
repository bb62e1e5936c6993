#include "file_ops/copy_one_file.h"

#include "file_ops/moved_sources.h"
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

    MovedSources* group = MovedSources::collecting();
    bool destinationExists = platform::fileExists(destination);
    if (destinationExists && group) {
        // The file in the way may be a source still waiting to be deleted:
        // delete those first, as if each had gone right after its own copy.
        const qint16 stop = group->finish();
        if (stop > 0)
            return stop;
        destinationExists = platform::fileExists(destination);
    }
    if (destinationExists && !job.overwrite) {
        platform::showMessage(destinationClashMessage(destination));
        return ResultValue::Stop;
    }

    // A replaced file is gone for good: its successor must be on disk first.
    platform::FsError error = platform::copyFile(job.sourcePath, staged, destinationExists);
    if (error.failed())
        return stopWith(error);

    error = destinationExists ? platform::replaceFile(staged, destination)
                              : platform::renameFile(staged, destination);
    if (error.failed())
        return stopWith(error);

    // Copying a file onto itself leaves one file: it must stay.
    if (!job.deleteSource || platform::isSameFile(job.sourcePath, destination))
        return ResultValue::Proceed;
    return group ? group->add(job.sourcePath, job.destinationFolder)
                 : MovedSources::deleteNow(job.sourcePath, job.destinationFolder);
}

}  // namespace FileOps
