#include "file_ops/placement_plan.h"

#include "platform/file_system.h"
#include "platform/message_box.h"

#include <QRandomGenerator>

namespace FileOps {

namespace {

PlacementPlan* current = nullptr;

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

QString setAsidePathFor(const QString& path)
{
    return folderOf(path)
        + QStringLiteral(".velda-%1.hold").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

QString keptUnderMessage(const QString& originalPath, const QString& restoredPath)
{
    return originalPath + QStringLiteral("  はコピーされなかったため、") + restoredPath
        + QStringLiteral("  として残しました。");
}

PlacementPlan::PlacementPlan(const QVector<PlannedCopy>& copies, const QString& destinationFolder,
                             const QStringList& destinationEntries)
    : destinationFolder_(destinationFolder), outer_(current)
{
    current = this;
    QSet<QString> known, taken;
    for (const QString& entry : destinationEntries) {
        const QString path = platform::joinPath(destinationFolder, entry);
        known.insert(path);
        taken.insert(path);
    }
    for (const PlannedCopy& copy : copies) {
        unread_.insert(copy.sourcePath);
        known.insert(copy.sourcePath);
        known.insert(copy.destinationPath);
        taken.insert(copy.sourcePath);
    }
    // One string per key, shared by both tables: a run may hold tens of thousands.
    for (const QString& path : known) {
        const QString key = foldedKey(path);
        pathsByFoldedKey_[key].append(path);
        if (taken.contains(path))
            takenFoldedKeys_.insert(key);
    }
}

PlacementPlan::~PlacementPlan()
{
    current = outer_;
}

PlacementPlan* PlacementPlan::active()
{
    return current;
}

QString PlacementPlan::foldedKey(const QString& path)
{
    return folderOf(path) + nameOf(path).toCaseFolded();
}

QString PlacementPlan::readPathOf(const QString& sourcePath) const
{
    return setAside_.value(sourcePath, sourcePath);
}

QStringList PlacementPlan::caseVariantsOf(const QString& destinationPath) const
{
    QStringList variants;
    for (const QString& path : pathsByFoldedKey_.value(foldedKey(destinationPath))) {
        if (path != destinationPath && platform::fileExists(path))
            variants.append(path);
    }
    return variants;
}

void PlacementPlan::markRead(const QString& sourcePath)
{
    unread_.remove(sourcePath);
}

void PlacementPlan::markPlaced(const QString& sourcePath, const QString& destinationPath)
{
    setAside_.remove(sourcePath);
    const auto known = pathsByFoldedKey_.constFind(foldedKey(destinationPath));
    takenFoldedKeys_.insert(known != pathsByFoldedKey_.constEnd() ? known.key() : foldedKey(destinationPath));
}

bool PlacementPlan::mayHoldFileAt(const QString& path) const
{
    return takenFoldedKeys_.contains(foldedKey(path));
}

platform::FsError PlacementPlan::setAsideUnread(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!unread_.contains(path) || setAside_.contains(path) || !platform::fileExists(path)
            || platform::isReadOnly(path))
            continue;
        const QString hidden = setAsidePathFor(path);
        platform::FsError error = platform::noteTemporaryFile(hidden, path);
        if (!error.failed())
            error = platform::renameFile(path, hidden);
        if (error.failed())
            return error;
        setAside_.insert(path, hidden);
    }
    return platform::FsError{};
}

platform::FileSystemMatch PlacementPlan::fileSystemMatchOf(const QString& folder)
{
    auto known = fileSystemMatches_.constFind(folder);
    if (known == fileSystemMatches_.constEnd())
        known = fileSystemMatches_.insert(folder, platform::compareFileSystems(folder, destinationFolder_));
    return known.value();
}

void PlacementPlan::restoreSetAside()
{
    for (auto entry = setAside_.cbegin(); entry != setAside_.cend(); ++entry) {
        const QString restored = platform::firstFreePath(entry.key());
        const platform::FsError error = platform::renameFile(entry.value(), restored);
        if (error.failed())
            platform::showMessage(platform::errorMessageText(error) + QChar(13) + entry.value());
        else if (restored != entry.key())
            platform::showMessage(keptUnderMessage(entry.key(), restored));
    }
    setAside_.clear();
}

}  // namespace FileOps
