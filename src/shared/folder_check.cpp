#include "shared/folder_check.h"

#include "platform/exact_path.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "shared/result_value.h"
#include "shared/typed_text.h"

#include <QDir>

namespace FolderCheck {

namespace {

void restoreStoredFolder(const FolderSide& side)
{
    side.setFieldPath(side.storedFolder);
    // Pointing the list at the folder it already shows re-reads it. Should the
    // stored folder have vanished meanwhile, the list stays as it was: the
    // refusal has been reported, the next use of the folder reports the rest.
    static_cast<void>(side.showFolder(side.storedFolder));
}

qint16 refuseMissingFolder(const FolderSide& side, const QString& path)
{
    platform::showMessage(platform::readableFileName(path) + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。"));
    restoreStoredFolder(side);
    return ResultValue::Stop;
}

}  // namespace

QString folderPathOf(const QString& fieldText, const QString& heldPath)
{
    QString path = MarlowFuncUtility::RemoveLineBreaks(MarlowFuncUtility::TrimBlanks(fieldText));
    if (path.isEmpty())
        return path;
    // A relative path would follow the current folder wherever it goes later.
    if (QDir::isRelativePath(path)) {
        const QString current = platform::currentFolder();
        if (!current.isEmpty())
            path = platform::joinPath(current, path);
    }
    return platform::exactPathOf(platform::withoutTrailingSeparators(path), heldPath);
}

bool fieldDiffers(const QString& fieldText, const QString& storedFolder)
{
    return MarlowFuncUtility::TrimBlanks(fieldText) != platform::readableFileName(storedFolder);
}

qint16 checkSource(const FolderSide& side)
{
    const QString path = folderPathOf(side.fieldText, side.heldPath);
    if (path.isEmpty())
        return refuseMissingFolder(side, path);
    const platform::FsError error = side.showFolder(path);
    if (error.number == platform::ErrorNumber::PathNotFound)
        return refuseMissingFolder(side, path);
    if (error.failed()) {
        platform::showError(error);
        return ResultValue::Stop;
    }
    side.storedFolder = path;
    return ResultValue::Proceed;
}

qint16 checkDestination(const FolderSide& side)
{
    const QString path = folderPathOf(side.fieldText, side.heldPath);
    if (path.isEmpty())
        return refuseMissingFolder(side, path);
    platform::FsError error = side.showFolder(path);
    if (error.number == platform::ErrorNumber::PathNotFound) {
        if (!platform::askYesNo(platform::readableFileName(path) + QStringLiteral(" を作成しますか。"))) {
            restoreStoredFolder(side);
            return ResultValue::Stop;
        }
        error = platform::makeFolderPath(path);
        if (!error.failed())
            error = side.showFolder(path);
    }
    if (error.failed()) {
        platform::showError(error);
        return ResultValue::Stop;
    }
    side.storedFolder = path;
    return ResultValue::Proceed;
}

}  // namespace FolderCheck
