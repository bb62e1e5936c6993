#include "file_ops/copy_one_file.h"

#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
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

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

// On a file system that ignores letter case a new name differing from the old
// one only in case names the file itself: it goes by way of a hidden name.
qint16 changeLetterCase(const QString& path, const QString& destination)
{
    if (nameOf(path) == nameOf(destination) || folderOf(path) != folderOf(destination))
        return ResultValue::Proceed;
    const QString hidden = setAsidePathFor(path);
    platform::FsError error = platform::noteTemporaryFile(hidden, path);
    if (!error.failed())
        error = platform::renameFile(path, hidden);
    if (!error.failed()) {
        error = platform::renameFile(hidden, destination);
        // Should the way back fail too, the next start gives the file its name back.
        if (error.failed())
            platform::renameFile(hidden, path);
    }
    return error.failed() ? stopWith(error) : ResultValue::Proceed;
}

// A hidden copy beside the destination that cannot be placed goes at once,
// not only at the next start.
qint16 stopPlacing(const QString& hiddenCopy, const platform::FsError& error)
{
    if (!hiddenCopy.isEmpty())
        platform::discardTemporaryFile(hiddenCopy);
    return stopWith(error);
}

// Folders keep their file system during a run: a run's plan looks each up once.
platform::FileSystemMatch fileSystemMatchOf(const QString& folder, const CopyJob& job, PlacementPlan* plan)
{
    return plan ? plan->fileSystemMatchOf(folder) : platform::compareFileSystems(folder, job.destinationFolder);
}

}  // namespace

QString destinationClashMessage(const QString& destinationPath)
{
    return QStringLiteral("コピー先に同一ファイルがあります。") + destinationPath
        + QStringLiteral(" のコピーはできませんでした。");
}

qint16 copyOneFile(const CopyJob& job)
{
    PlacementPlan* plan = PlacementPlan::active();
    // A run's preview has checked every name already.
    if (!plan && !TargetNameCheck({job.destinationFolder, job.stagingFolder}).isUsable(job.newName)) {
        platform::showMessage(unusableNameMessage(nameOf(job.sourcePath), job.newName));
        return ResultValue::Stop;
    }
    const QString destination = platform::joinPath(job.destinationFolder, job.newName);
    const QString readPath = plan ? plan->readPathOf(job.sourcePath) : job.sourcePath;
    // Files that the preview showed replaced although their names differ in letter case.
    QStringList caseVariants = plan && job.overwrite ? plan->caseVariantsOf(destination) : QStringList();

    MovedSources* group = MovedSources::collecting();
    const bool destinationMayBeTaken = !plan || plan->mayHoldFileAt(destination);
    bool destinationExists = destinationMayBeTaken && platform::fileExists(destination);
    if ((destinationExists || !caseVariants.isEmpty()) && group) {
        // The file in the way may be a source still waiting to be deleted:
        // delete those first, as if each had gone right after its own copy.
        const qint16 stop = group->finish();
        if (stop > 0)
            return stop;
        destinationExists = platform::fileExists(destination);
        if (plan && job.overwrite)
            caseVariants = plan->caseVariantsOf(destination);
    }
    if (destinationExists && !job.overwrite) {
        platform::showMessage(destinationClashMessage(destination));
        return ResultValue::Stop;
    }

    // A set-aside source goes also when copying: its name holds another file now.
    const bool setAside = readPath != job.sourcePath;
    // Within one file system a moved file is renamed into place: a rename
    // never leaves it in neither place, so nothing needs copying or flushing.
    // A source that cannot be deleted is copied, and stays, as across file systems.
    const bool moving = job.deleteSource || setAside;
    // "." names the folder also when it is the root.
    const bool sourceOnDestinationFileSystem = moving
        && fileSystemMatchOf(platform::joinPath(folderOf(readPath), QStringLiteral(".")), job, plan)
            == platform::FileSystemMatch::Same;
    const bool byRename = sourceOnDestinationFileSystem && platform::isDeletableFile(readPath);
    if (byRename && destinationMayBeTaken && platform::isSameFile(readPath, destination))
        return changeLetterCase(plan ? plan->inDestinationSpelling(readPath) : readPath, destination);

    // Bound for another file system than the staging folder's (a USB stick, a
    // share), a file is copied once, straight into a hidden file beside its
    // destination.
    const bool stagedBeside =
        !byRename && fileSystemMatchOf(job.stagingFolder, job, plan) == platform::FileSystemMatch::Different;
    const QString staged = stagedBeside ? platform::partPathBeside(destination)
                                        : platform::joinPath(job.stagingFolder, job.newName);
    platform::FsError error;
    if (stagedBeside) {
        error = platform::noteTemporaryFile(staged);
        if (error.failed())
            return stopWith(error);
    }
    if (!byRename) {
        // A replaced file is gone for good: its successor must be on disk
        // first. A moved source waits for its copy to be on disk anyway
        // (MovedSources flushes a whole group at once); a copy across is
        // flushed before it takes its name.
        const bool replacing = destinationExists || !caseVariants.isEmpty();
        error = platform::copyFile(readPath, staged, replacing || (stagedBeside && !job.deleteSource));
        if (error.failed())
            return stopWith(error);
    }

    if (plan) {
        // Sources of later files that this placement takes the name of are
        // read from a set-aside file.
        plan->markRead(job.sourcePath);
        error = plan->setAsideUnread(QStringList(caseVariants) << destination);
        if (error.failed())
            return stopPlacing(stagedBeside ? staged : QString(), error);
        destinationExists = destinationExists && platform::fileExists(destination);
        // Setting aside can only have taken some away. Without overwriting
        // there are none: the preview let no other spelling be replaced.
        if (!caseVariants.isEmpty())
            caseVariants = plan->caseVariantsOf(destination);
    }

    const QString placed = byRename ? readPath : staged;
    error = destinationExists ? platform::replaceFile(placed, destination) : platform::renameFile(placed, destination);
    if (error.number == platform::ErrorNumber::FileAlreadyExists && !destinationExists
        && platform::fileExists(destination)) {
        // A file the plan could not foresee holds the name: as if found before copying.
        if (!job.overwrite) {
            if (!byRename)
                platform::discardTemporaryFile(staged);
            platform::showMessage(destinationClashMessage(destination));
            return ResultValue::Stop;
        }
        // The staged copy is on the destination's file system.
        error = byRename ? platform::FsError{} : platform::flushFileSystem(job.destinationFolder);
        if (!error.failed())
            error = platform::replaceFile(placed, destination);
    }
    if (error.failed())
        return stopPlacing(stagedBeside ? staged : QString(), error);
    if (plan)
        plan->markPlaced(job.sourcePath, destination);

    const QString sourceInDestination = plan ? plan->inDestinationSpelling(job.sourcePath) : job.sourcePath;
    for (const QString& variant : caseVariants) {
        if (variant == sourceInDestination && job.deleteSource)
            continue;  // moved already, or deleted below
        error = platform::deleteFile(variant);
        if (error.failed()) {
            platform::showMessage(platform::errorMessageText(error) + QChar(13) + variant);
            return ResultValue::Stop;
        }
    }

    // Copying a file onto itself leaves one file: it must stay.
    if (byRename || !moving || (sourceOnDestinationFileSystem && platform::isSameFile(readPath, destination)))
        return ResultValue::Proceed;
    return group ? group->add(readPath, job.destinationFolder)
                 : MovedSources::deleteNow(readPath, job.destinationFolder);
}

}  // namespace FileOps
