#include "file_ops/delete_selected.h"

#include "file_ops/progress_pacer.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "shared/result_value.h"

namespace FileOps {

namespace {

void deleteFromList(DeleteWindow& window, int list, const QString& question)
{
    const QStringList files = window.selectedFiles(list);
    if (!files.isEmpty() && platform::askOkCancel(question)) {
        ProgressPacer pacer;
        for (const QString& file : files) {
            window.setStatusLine(file + QStringLiteral("　　を削除中です。"));
            pacer.pace([&window] { window.showProgress(); });
            if (window.deleteListedFile(list, file) > 0)
                break;
        }
    }
    window.refreshList(list);
}

}  // namespace

void pressDelete(DeleteWindow& window)
{
    if (platform::askYesNo(QStringLiteral("選択したファイルを削除しますか？"))) {
        window.deleteSelectedFiles();
        window.resetRules();
    }
    window.focusPrefixField();
}

void deleteSelectedFiles(DeleteWindow& window)
{
    deleteFromList(window, FileList::Source,
                   QStringLiteral("選択したファイル群より、指定のファイルを削除します。"));
    deleteFromList(window, FileList::Destination,
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
