#include "file_ops/placement_plan.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

#include <utility>

namespace FileOps {

namespace {

// What every spelling of a file's name shows alike.
QString lookOf(const platform::FileStamp& stamp)
{
    return QStringLiteral("%1 %2.%3").arg(stamp.size).arg(stamp.modifiedSeconds).arg(stamp.modifiedNanoseconds);
}

}  // namespace

platform::FsError setAside(const QString& path, RunJournal& journal, QString& hidden)
{
    hidden = platform::holdPathBeside(path);
    const platform::FsError error = journal.hold(hidden, path);
    return error.failed() ? error : platform::renameFile(path, hidden);
}

QString keptUnderMessage(const QString& originalPath, const QString& restoredPath)
{
    return platform::readableFileName(originalPath) + QStringLiteral("  はコピーされなかったため、")
        + platform::readableFileName(restoredPath)
        + QStringLiteral("  として残しました。");
}

PlacementPlan::PlacementPlan(const QString& destinationFolder, const QStringList& destinationEntries,
                             platform::LetterCase letterCase, RunJournal& journal)
    : letterCase_(letterCase), destinationFolder_(destinationFolder),
      destinationPrefix_(platform::joinPath(destinationFolder, QString())), journal_(journal)
{
    for (const QString& entry : destinationEntries)
        know(entry);
}

void PlacementPlan::addSources(const QString& folder, const QStringList& names)
{
    // Sources elsewhere never lie in the way of a placement.
    if (names.isEmpty())
        return;
    const QString prefix = platform::joinPath(folder, QString());
    if (prefix != destinationPrefix_) {
        if (!platform::isSameFile(folder, destinationFolder_))
            return;
        aliasPrefixes_.append(prefix);
    }
    unread_.reserve(unread_.size() + names.size());
    for (const QString& name : names) {
        unread_.insert(destinationPrefix_ + name);
        know(name);
    }
}

void PlacementPlan::addRepeatedNames(const QStringList& newNames)
{
    for (const QString& name : newNames)
        repeated_.insert(platform::nameKey(name, letterCase_));
}

QString PlacementPlan::inDestinationSpelling(const QString& path) const
{
    for (const QString& alias : aliasPrefixes_) {
        if (path.startsWith(alias) && path.indexOf(QLatin1Char('/'), alias.size()) < 0)
            return destinationPrefix_ + path.mid(alias.size());
    }
    return path;
}

QString PlacementPlan::nameInDestination(const QString& path) const
{
    if (!path.startsWith(destinationPrefix_) || path.indexOf(QLatin1Char('/'), destinationPrefix_.size()) >= 0)
        return QString();
    return path.mid(destinationPrefix_.size());
}

void PlacementPlan::know(const QString& name)
{
    const QString key = platform::nameKey(name, letterCase_);
    if (!spellings_.contains(key, name))
        spellings_.insert(key, name);
}

QString PlacementPlan::readPathOf(const QString& sourcePath) const
{
    return setAside_.value(inDestinationSpelling(sourcePath), sourcePath);
}

QStringList PlacementPlan::caseVariantsOf(const QString& destinationPath) const
{
    QStringList variants;
    if (spellings_.isEmpty())
        return variants;
    const QString name = nameInDestination(destinationPath);
    if (name.isNull())
        return variants;
    const auto spellings = spellings_.values(platform::nameKey(name, letterCase_));
    for (const QString& spelling : spellings) {
        const QString path = destinationPrefix_ + spelling;
        if (spelling != name && platform::fileExists(path))
            variants.append(path);
    }
    return variants;
}

void PlacementPlan::markRead(const QString& sourcePath)
{
    unread_.remove(inDestinationSpelling(sourcePath));
}

void PlacementPlan::markPlaced(const QString& sourcePath, const QString& destinationPath)
{
    setAside_.remove(inDestinationSpelling(sourcePath));
    if (repeated_.isEmpty())
        return;
    const QString name = nameInDestination(destinationPath);
    if (!name.isNull() && repeated_.contains(platform::nameKey(name, letterCase_)))
        know(name);
}

bool PlacementPlan::mayHoldFileAt(const QString& path) const
{
    if (spellings_.isEmpty())
        return false;
    const QString name = nameInDestination(path);
    return !name.isNull() && spellings_.contains(platform::nameKey(name, letterCase_));
}

platform::FsError PlacementPlan::setAsideUnread(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!unread_.contains(path) || setAside_.contains(path) || !platform::fileExists(path)
            || platform::isReadOnly(path))
            continue;
        QString hidden;
        const platform::FsError error = setAside(path, journal_, hidden);
        if (error.failed())
            return error;
        setAside_.insert(path, hidden);
    }
    return platform::FsError{};
}

platform::FsError PlacementPlan::setAsideUnreadReaching(const QString& path)
{
    if (unread_.isEmpty())
        return platform::FsError{};
    // Looked at once: a run may meet many names nobody foresaw.
    if (unreadByLook_.isEmpty()) {
        for (const QString& source : std::as_const(unread_))
            unreadByLook_.insert(lookOf(platform::stampOf(source)), source);
    }
    const platform::FileStamp target = platform::stampOf(path);
    if (target.size < 0)
        return platform::FsError{};
    return setAsideUnread(unreadByLook_.values(lookOf(target)));
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
        platform::FsError error = platform::renameFile(entry.value(), restored);
        // Named where the file stays.
        if (error.failed()) {
            error.path = entry.value();
            platform::showError(error);
        } else if (restored != entry.key()) {
            platform::showMessage(keptUnderMessage(entry.key(), restored));
        }
    }
    setAside_.clear();
}

}  // namespace FileOps
