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
    unread_.reserve(copies.size());
    for (const QString& entry : destinationEntries)
        know(platform::joinPath(destinationFolder, entry), true);
    for (const PlannedCopy& copy : copies) {
        unread_.insert(copy.sourcePath);
        know(copy.sourcePath, true);
        know(copy.destinationPath, false);
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

void PlacementPlan::know(const QString& path, bool mayHoldFile)
{
    KnownNames& names = knownNames_[folderOf(path)];
    const QString name = nameOf(path);
    const QString folded = name.toCaseFolded();
    auto spelling = names.spellings.constFind(folded);
    while (spelling != names.spellings.cend() && spelling.key() == folded && spelling.value() != name)
        ++spelling;
    if (spelling == names.spellings.cend() || spelling.key() != folded)
        spelling = names.spellings.insert(folded, name);
    // The folded name is kept once, shared by both tables: a run may hold tens of thousands.
    if (mayHoldFile)
        names.mayHoldFile.insert(spelling.key());
}

const PlacementPlan::KnownNames* PlacementPlan::knownNamesIn(const QString& folder) const
{
    const auto names = knownNames_.constFind(folder);
    return names == knownNames_.cend() ? nullptr : &names.value();
}

QString PlacementPlan::readPathOf(const QString& sourcePath) const
{
    return setAside_.value(sourcePath, sourcePath);
}

QStringList PlacementPlan::caseVariantsOf(const QString& destinationPath) const
{
    QStringList variants;
    const QString folder = folderOf(destinationPath);
    const KnownNames* names = knownNamesIn(folder);
    if (!names)
        return variants;
    const QString name = nameOf(destinationPath);
    const auto spellings = names->spellings.values(name.toCaseFolded());
    for (const QString& spelling : spellings) {
        if (spelling != name && platform::fileExists(folder + spelling))
            variants.append(folder + spelling);
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
    know(destinationPath, true);
}

bool PlacementPlan::mayHoldFileAt(const QString& path) const
{
    const KnownNames* names = knownNamesIn(folderOf(path));
    return names && names->mayHoldFile.contains(nameOf(path).toCaseFolded());
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
