#include "file_ops/delete_selected.h"

#include "file_ops/progress_pacer.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

namespace FileOps {

namespace {

// The status line of a deletion the user cancelled, else empty.
QString deleteFromList(DeleteWindow& window, int list, const QString& question)
{
    const QStringList files = window.selectedFiles(list);
    QString cancelled;
    if (!files.isEmpty() && platform::askOkCancel(question)) {
        ProgressPacer pacer;
        RunProgress progress(window.progressView(), int(files.size()));
        for (const QString& file : files) {
            if (!progress.step(file))
                break;
            window.setStatusLine(file + QStringLiteral("　　を削除中です。"));
            pacer.pace([&window] { window.showProgress(); });
            if (window.deleteListedFile(list, file) > 0)
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

}  // namespace

void pressDelete(DeleteWindow& window)
{
    QString cancelled;
    if (platform::askYesNo(QStringLiteral("選択したファイルを削除しますか？"))) {
        cancelled = window.deleteSelectedFiles();
        window.resetRules();
    }
    window.focusPrefixField();
    // The report of a cancelled deletion outlasts the hint of the field.
    if (!cancelled.isEmpty())
        window.setStatusLine(cancelled);
}

QString deleteSelectedFiles(DeleteWindow& window)
{
    const QString cancelled = deleteFromList(window, FileList::Source,
                                             QStringLiteral("選択したファイル群より、指定のファイルを削除します。"));
    if (!cancelled.isEmpty()) {
        // The lists may show one folder: neither keeps names that are gone.
        window.refreshList(FileList::Destination);
        return cancelled;
    }
    return deleteFromList(window, FileList::Destination,
                          QStringLiteral("コピー先ファイル一覧より、指定のファイルを削除します。"));
}

qint16 deleteListedFile(const QString& folder, const QString& fileName)
{
    const QString path = platform::joinPath(folder, fileName);
    if (!platform::fileExists(path))
        return ResultValue::Proceed;
    const platform::FsError error = platform::deleteFile(path);
    if (!error.failed())
        return ResultValue::Proceed;
    platform::showMessage(platform::errorMessageText(error) + QChar(13) + path);
    return ResultValue::Stop;
}

}  // namespace FileOps
