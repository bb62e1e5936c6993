#include "folder_delete/remove_folder_tree.h"

#include "platform/message_box.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

#include <QStringList>
#include <QVector>

namespace MarlowFuncUtility {

namespace {

// One level of the descent. Its subfolders are listed once, in listing order:
// removing a subfolder leaves the order of the others as it was, so walking
// this list visits the folders exactly as descending again from the top would,
// without listing every level again for every folder removed.
struct Level {
    QString path;
    QStringList subfolders;
    int next = 0;
    int files = 0;
};

Level openLevel(const QString& path, platform::EntryScope scope)
{
    Level level{path, {}, 0, 0};
    QVector<platform::DirEntry> entries;
    // An unreadable or missing folder yields no entries: it is a leaf.
    platform::listFolder(path, entries);
    for (const platform::DirEntry& entry : entries) {
        if (scope == platform::EntryScope::OrdinaryOnly && !entry.isOrdinary())
            continue;
        if (!entry.isDirectory) {
            ++level.files;
            continue;
        }
        if (entry.name.isEmpty())
            continue;
        level.subfolders.append(entry.name);
    }
    return level;
}

}  // namespace

qint16 RemoveFolderTree(const QString& folder, platform::EntryScope scope, RunProgress* progress)
{
    // A link given as the folder goes as an entry; what it points to stays.
    if (platform::isLink(folder)) {
        QString link = folder;
        while (link.endsWith(QLatin1Char('/')))
            link.chop(1);
        const platform::FsError error = platform::deleteFile(link);
        if (error.failed()) {
            platform::showError(error);
            return ResultValue::Stop;
        }
        return ResultValue::Proceed;
    }
    QVector<Level> descent;
    descent.append(openLevel(folder, scope));
    while (!descent.isEmpty()) {
        Level& level = descent.last();
        if (level.next < level.subfolders.size()) {
            const QString child = platform::joinPath(level.path, level.subfolders.at(level.next++));
            descent.append(openLevel(child, scope));
            continue;
        }
        if (progress && !progress->step(level.path))
            return ResultValue::Stop;
        const qint16 result = RemoveLeafFolder(level.path, scope);
        if (result > 0)
            return result;
        if (progress)
            progress->done(level.files);
        descent.removeLast();
    }
    return ResultValue::Proceed;
}

qint16 RemoveLeafFolder(const QString& folder, platform::EntryScope scope)
{
    platform::FsError error = platform::deleteMatchingFiles(folder, QStringLiteral("*.*"), scope);
    if (error.failed() && error.number != platform::ErrorNumber::FileNotFound) {
        platform::showError(error);
        return ResultValue::Stop;
    }
    error = platform::removeFolder(folder);
    if (error.failed() && error.number != platform::ErrorNumber::PathNotFound) {
        platform::showError(error);
        return ResultValue::Stop;
    }
    return ResultValue::Proceed;
}

}  // namespace MarlowFuncUtility
