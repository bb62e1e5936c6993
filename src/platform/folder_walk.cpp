#include "platform/folder_walk.h"

#include <QStringList>

namespace platform {

bool isInScope(const DirEntry& entry, EntryScope scope)
{
    return scope == EntryScope::All || entry.isOrdinary();
}

bool isFileInScope(const DirEntry& entry, EntryScope scope)
{
    return !entry.isDirectory && isInScope(entry, scope);
}

bool FolderVisitor::entered(const FolderHandle& /*folder*/, const QVector<DirEntry>& /*entries*/)
{
    return true;
}

bool FolderVisitor::finished(const FolderHandle& /*folder*/, const QVector<DirEntry>& /*entries*/)
{
    return true;
}

bool FolderVisitor::left(const FolderHandle& /*parent*/, const QString& /*name*/)
{
    return true;
}

namespace {

// One folder on the way down. Its entries are read once: walking its list of
// subfolders visits them as listing the folder again after each would.
struct Level {
    QString name;  // in its parent
    FolderIdentity identity;
    QVector<DirEntry> entries;
    QStringList subfolders;
    int next = 0;
};

FsError readLevel(Level& level, const FolderHandle& folder, EntryScope scope)
{
    level.identity = folder.identity();
    const FsError error = folder.list(level.entries);
    for (const DirEntry& entry : level.entries) {
        if (entry.isDirectory && !entry.name.isEmpty() && isInScope(entry, scope))
            level.subfolders.append(entry.name);
    }
    return error;
}

WalkOutcome ended(WalkOutcome::End end, const QString& path = QString(), const FsError& error = FsError{})
{
    return WalkOutcome{end, error, path};
}

}  // namespace

WalkOutcome walkFolderTree(const FolderHandle& top, EntryScope scope, FolderVisitor& visitor)
{
    FolderHandle here;
    FsError error = top.reopen(here);
    QVector<Level> levels(1);
    if (!error.failed())
        error = readLevel(levels.last(), here, scope);
    if (error.failed())
        return ended(WalkOutcome::End::Failed, top.path(), error);
    if (!visitor.entered(here, levels.last().entries))
        return ended(WalkOutcome::End::Stopped);
    for (;;) {
        Level& level = levels.last();
        if (level.next < level.subfolders.size()) {
            const QString name = level.subfolders.at(level.next++);
            FolderHandle child;
            error = here.openSubfolder(name, child);
            if (error.failed())
                return ended(WalkOutcome::End::Failed, joinPath(here.path(), name), error);
            if (!child.isOnSameVolume(top))
                return ended(WalkOutcome::End::OtherVolume, child.path());
            here = std::move(child);
            levels.append(Level{name, {}, {}, {}, 0});
            error = readLevel(levels.last(), here, scope);
            if (error.failed())
                return ended(WalkOutcome::End::Failed, here.path(), error);
            if (!visitor.entered(here, levels.last().entries))
                return ended(WalkOutcome::End::Stopped);
            continue;
        }
        if (!visitor.finished(here, level.entries))
            return ended(WalkOutcome::End::Stopped);
        if (levels.size() == 1)
            return ended(WalkOutcome::End::Completed);
        const QString name = level.name;
        levels.removeLast();
        FolderHandle parent;
        error = here.openParent(parent);
        if (error.failed())
            return ended(WalkOutcome::End::Failed, here.path(), error);
        if (parent.identity() != levels.last().identity)
            return ended(WalkOutcome::End::Moved, here.path());
        here = std::move(parent);
        if (!visitor.left(here, name))
            return ended(WalkOutcome::End::Stopped);
    }
}

}  // namespace platform
