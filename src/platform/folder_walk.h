#pragma once

#include "platform/file_system.h"
#include "platform/folder_handle.h"

#include <QString>
#include <QVector>

namespace platform {

// Whether a walk in scope sees entry: every entry in the scope All, only
// ordinary ones (not hidden, no system entry) in the scope OrdinaryOnly.
bool isInScope(const DirEntry& entry, EntryScope scope);
// The same for an entry that is not a folder.
bool isFileInScope(const DirEntry& entry, EntryScope scope);

// What a walk does at each folder of a tree. A call that gives back false
// ends the walk there.
class FolderVisitor {
public:
    virtual ~FolderVisitor() = default;
    // folder has just been opened and its entries read.
    virtual bool entered(const FolderHandle& folder, const QVector<DirEntry>& entries);
    // Every subfolder of folder has been walked; the walk climbs next.
    virtual bool finished(const FolderHandle& folder, const QVector<DirEntry>& entries);
    // The walk is back in parent from its subfolder name.
    virtual bool left(const FolderHandle& parent, const QString& name);
};

struct [[nodiscard]] WalkOutcome {
    enum class End {
        Completed,
        Stopped,      // by the visitor
        Failed,       // error tells why
        OtherVolume,  // path is a folder on another mounted volume
        Moved,        // path was moved out of its parent during the walk
    };
    End end = End::Completed;
    FsError error;
    QString path;
};

// Walks the tree below top depth first, the subfolders of each folder in
// listing order, by folder handles: neither depth nor path length limits it.
// Links are never entered, hidden and system folders only in the scope All,
// and a folder of another mounted volume is met, never entered. A climb back
// that does not reach the folder the walk came down from (another program
// moved a folder of the tree meanwhile) ends the walk: what the visitor does
// by name always happens in the folder the names were read from.
WalkOutcome walkFolderTree(const FolderHandle& top, EntryScope scope, FolderVisitor& visitor);

}  // namespace platform
