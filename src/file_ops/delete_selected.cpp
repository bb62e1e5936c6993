#include "file_ops/delete_selected.h"

#include "file_ops/progress_pacer.h"
#include "file_ops/run_journal.h"
#include "file_ops/trash_messages.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/trash.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

namespace FileOps {

namespace {

// The status line of a deletion the user cancelled, else empty.
QString deleteFromList(DeleteWindow& window, DeletionRun& run, int list, const QStringList& files, int firstItem,
                       const QString& question)
{
    QString cancelled;
    if (!files.isEmpty() && platform::askOkCancel(question)) {
        ProgressPacer pacer;
        RunProgress progress(window.progressView(), int(files.size()));
        for (int i = 0; i < files.size(); ++i) {
            const QString& file = files.at(i);
            if (!progress.step(file))
                break;
            window.setStatusLine(platform::readableFileName(file) + QStringLiteral("　　を削除中です。"));
            pacer.pace([&window] { window.showProgress(); });
            run.item = firstItem + i;
            if (window.deleteListedFile(run, list, file) > 0)
                break;
            progress.done();
        }
        if (progress.cancelled()) {
            cancelled = progress.cancelledText();
            window.setStatusLine(cancelled);
        }
    }
    window.refreshList(list);
    return cancelled;
}

bool reachesTrash(const QString& folder, const QStringList& files)
{
    QStringList paths;
    for (const QString& file : files)
        paths.append(platform::joinPath(folder, file));
    return platform::canTrash(paths);
}

}  // namespace

void pressDelete(DeleteWindow& window, bool forGood)
{
    QString status;
    if (platform::askYesNo(QStringLiteral("選択したファイルを削除しますか？"))) {
        status = window.deleteSelectedFiles(forGood);
        window.resetRules();
    }
    window.focusPrefixField();
    // The report of the deletion outlasts the hint of the field.
    if (!status.isEmpty())
        window.setStatusLine(status);
}

QString deleteSelectedFiles(DeleteWindow& window, bool forGood)
{
    const QStringList lists[] = {window.selectedFiles(FileList::Source), window.selectedFiles(FileList::Destination)};
    const QStringList folders{window.listFolder(FileList::Source), window.listFolder(FileList::Destination)};
    bool toTrash[2];
    bool trashUnreachable = false;
    for (int list : {FileList::Source, FileList::Destination}) {
        toTrash[list] = !forGood && reachesTrash(folders.at(list), lists[list]);
        trashUnreachable = trashUnreachable || (!forGood && !toTrash[list]);
    }
    if (trashUnreachable && !platform::askYesNo(noTrashQuestion()))
        return QString();
    RunJournal journal(forGood ? QString() : window.journalFolder(), RunKind::Delete);
    QVector<PlannedFile> planned;
    for (int list : {FileList::Source, FileList::Destination}) {
        for (const QString& file : lists[list])
            planned.append(PlannedFile{list, file, -1, QString()});
    }
    const platform::FsError noted = journal.plan(folders, planned);
    if (noted.failed()) {
        platform::showError(noted);
        return QString();
    }
    DeletionRun run{journal, toTrash[0]};
    QString status = deleteFromList(window, run, FileList::Source, lists[0], 0,
                                    QStringLiteral("選択したファイル群より、指定のファイルを削除します。"));
    if (!status.isEmpty()) {
        // The lists may show one folder: neither keeps names that are gone.
        window.refreshList(FileList::Destination);
    } else {
        run.toTrash = toTrash[1];
        status = deleteFromList(window, run, FileList::Destination, lists[1], int(lists[0].size()),
                                QStringLiteral("コピー先ファイル一覧より、指定のファイルを削除します。"));
    }
    const platform::FsError ended = journal.end();
    if (ended.failed())
        platform::showError(ended);
    return status.isEmpty() && run.trashed > 0 ? trashedStatus(run.trashed) : status;
}

qint16 deleteListedFile(DeletionRun& run, const QString& folder, const QString& fileName)
{
    const QString path = platform::joinPath(folder, fileName);
    if (!platform::fileExists(path))
        return ResultValue::Proceed;
    platform::FsError error;
    if (!run.toTrash) {
        error = platform::deleteFile(path);
    } else if (platform::isReadOnly(path)) {
        // Refused as a deletion for good would be.
        error = platform::makeError(platform::ErrorNumber::PathFileAccess, path);
    } else {
        const platform::FileStamp stamp = platform::stampOf(path);
        platform::TrashEntry entry;
        error = platform::moveToTrash(path, entry, stamp, [&run, &path, &stamp](const platform::TrashEntry& reserved) {
            return run.journal.trashing(run.item, path, reserved, stamp);
        });
        run.trashed += error.failed() ? 0 : 1;
    }
    // Gone already by another spelling of its name: FUSE shows it a while longer.
    if (!error.failed() || !platform::pathExists(path))
        return ResultValue::Proceed;
    platform::showError(error);
    return ResultValue::Stop;
}

}  // namespace FileOps
