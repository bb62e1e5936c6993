#include "file_ops/run_placements.h"

#include "platform/file_identity.h"
#include "platform/path_parts.h"

namespace FileOps {

RunPlacements::RunPlacements(const JournalRun& run)
{
    QHash<QString, int> lastPlacedAt;  // by key
    for (int i = 0; i < run.items.size(); ++i) {
        const JournalRun::Item& item = run.items.at(i);
        for (const JournalRun::Trashed& old : item.replaced) {
            const int earlier = lastPlacedAt.value(keyOf(old.path), -1);
            // Inode numbers aside: FUSE may number a file anew under its new name.
            if (earlier >= 0 && old.stamp.isAsLeft(run.items.at(earlier).stamp, false))
                earlierPlacements_.insert(old.entry.filePath());
        }
        if (!item.placed)
            continue;
        const QString key = keyOf(run.destinationPath(item));
        lastPlacedAt.insert(key, i);
        if (!item.undone)
            placed_.insert(key);
    }
}

bool RunPlacements::holdsPlacedFile(const QString& path)
{
    return placed_.contains(keyOf(path));
}

QString RunPlacements::keyOf(const QString& path)
{
    const QString folder = platform::parentOf(path);
    auto known = folderKeys_.constFind(folder);
    if (known == folderKeys_.constEnd()) {
        const platform::FileStamp stamp = platform::stampOf(platform::joinPath(folder, QStringLiteral(".")));
        const QString identity = stamp.exists() ? QStringLiteral("%1:%2").arg(stamp.device).arg(stamp.inode) : folder;
        known = folderKeys_.insert(folder, {identity, platform::letterCaseOf(folder)});
    }
    return known->identity + QLatin1Char('/') + platform::nameKey(platform::nameOf(path), known->letterCase);
}

}  // namespace FileOps
