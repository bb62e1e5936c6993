#include "folder_delete/folder_deletion.h"

#include "file_ops/remove_folder_tree.h"
#include "file_ops/run_journal.h"
#include "file_ops/trash_folder_tree.h"
#include "file_ops/trash_messages.h"
#include "folder_delete/deletion_guard.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/path_parts.h"
#include "platform/process.h"
#include "platform/trash.h"
#include "platform/volume_root.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

#include <QDir>
#include <QVector>

namespace FolderDeletion {

namespace {

// The current folder was inside the removed tree: move to what is left above it.
void keepCurrentFolder(const QString& current)
{
    if (current.isEmpty() || platform::folderExists(current))
        return;
    QString folder = platform::parentOf(current);
    while (folder != QLatin1String("/") && !platform::folderExists(folder))
        folder = platform::parentOf(folder);
    platform::setCurrentFolder(folder);
}

// Said after the user cancelled the removal of folder: how much went.
QString cancelledMessage(const QString& folder, const RunProgressFigures& figures)
{
    const QString stopped = platform::readableFileName(folder) + QStringLiteral("　の削除を中止しました。");
    if (figures.filesDone == 0)
        return stopped + QStringLiteral("ファイルは削除していません。");
    return stopped
        + QStringLiteral("%1 ファイルのうち %2 ファイルを削除しました。").arg(figures.totalFiles).arg(figures.filesDone);
}

}  // namespace

QString pathFieldHint()
{
    return QStringLiteral("削除フォルダーを指定してください。（ダブルクリックで候補を表示。）");
}

QString fileListHint()
{
    return QStringLiteral("削除するフォルダを選択してください。");
}

qint16 checkDeleteFolder(const FolderCheck::FolderSide& side)
{
    const QString candidate = QDir::cleanPath(FolderCheck::folderPathOf(side.fieldText, side.heldPath));
    const platform::FsError error = candidate.isEmpty() ? platform::makeError(platform::ErrorNumber::PathNotFound)
                                                        : side.showFolder(candidate);
    if (error.number == platform::ErrorNumber::PathNotFound) {
        platform::showMessage(platform::readableFileName(candidate)
                              + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。"));
        side.setFieldPath(side.storedFolder);
        // The refusal is reported; a stored folder gone meanwhile leaves the list as it was.
        static_cast<void>(side.showFolder(side.storedFolder));
        return ResultValue::Stop;
    }
    if (error.failed()) {
        platform::showError(error);
        return ResultValue::Stop;
    }
    side.storedFolder = candidate;
    return ResultValue::Proceed;
}

DriveFolder folderOfDrive(const QString& drive)
{
    const QString current = platform::currentFolder();
    const bool onThisDrive = !current.isEmpty() && platform::volumeRootOf(current) == drive;
    DriveFolder opening{onThisDrive ? current : drive, {}};
    QVector<platform::DirEntry> entries;
    opening.error = platform::listFolder(opening.folder, entries);
    return opening;
}

QString deleteQuestion(const QString& folder)
{
    return platform::readableFileName(folder) + QStringLiteral("　を削除します。ファイル及び下位のフォルダーもすべて削除します。よろしいか？");
}

DeleteOutcome deleteFolder(const QString& folder, const QStringList& protectedFolders,
                           RunProgressView* progressView, bool forGood)
{
    if (folder.isEmpty())
        return DeleteOutcome::Declined;
    // The journals keep what lets runs be undone and hidden files be given back.
    const QString refusal = DeletionGuard::refusal(folder, protectedFolders + QStringList{FileOps::journalFolder()});
    if (!refusal.isEmpty()) {
        platform::showMessage(refusal);
        return DeleteOutcome::Refused;
    }
    if (!platform::askYesNo(deleteQuestion(folder)))
        return DeleteOutcome::Declined;
    if (!forGood && !platform::canTrash({folder})) {
        if (!platform::askYesNo(FileOps::noTrashQuestion()))
            return DeleteOutcome::Declined;
        forGood = true;
    }
    const QString current = platform::currentFolder();
    QString cancelled;
    if (forGood) {
        RunProgress progress(progressView, 0);
        // A failure is reported where it happened; what is left stays listed.
        static_cast<void>(MarlowFuncUtility::RemoveFolderTree(folder, platform::EntryScope::OrdinaryOnly, &progress));
        if (progress.cancelled())
            cancelled = cancelledMessage(folder, progress.figures());
    } else {
        FileOps::RunJournal journal(FileOps::journalFolder(), FileOps::RunKind::FolderDeletion);
        static_cast<void>(FileOps::trashFolderTree(folder, journal));
        const platform::FsError ended = journal.end();
        if (ended.failed())
            platform::showError(ended);
    }
    keepCurrentFolder(current);
    // Said once the progress window has gone.
    if (!cancelled.isEmpty())
        platform::showMessage(cancelled);
    return DeleteOutcome::Removed;
}

}  // namespace FolderDeletion
