#pragma once

#include "platform/file_system.h"
#include "platform/fs_error.h"
#include "platform/name_rules.h"

#include "file_ops/run_journal.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace FileOps {

// A run whose new names meet its own sources (renumbering in place, chains,
// cycles, swaps, names differing only in letter case) must still end as its
// preview showed. A source whose name an earlier file of the run takes is set
// aside under a hidden name of its folder first and read from there, so it is
// read before its name is overwritten, and its set-aside file, not the path
// the run filled, is what its move deletes. Each set-aside file is noted in
// the run's journal first, so that the next start gives it its name back
// should the run be killed.
class PlacementPlan {
public:
    // destinationEntries: the files of destinationFolder before the run;
    // letterCase: how its file system tells names apart.
    PlacementPlan(const QString& destinationFolder, const QStringList& destinationEntries,
                  platform::LetterCase letterCase, RunJournal& journal);
    PlacementPlan(const PlacementPlan&) = delete;
    PlacementPlan& operator=(const PlacementPlan&) = delete;

    platform::LetterCase letterCase() const { return letterCase_; }

    // The files of folder that the run reads.
    void addSources(const QString& folder, const QStringList& names);
    // path named through the destination folder when it lies in that folder
    // reached by another path (a link to it); else path itself.
    QString inDestinationSpelling(const QString& path) const;

    // New names that the preview found held already, by a file of the
    // destination or an earlier file of the run (overwriting): only where such
    // a name is placed can a later placement meet an earlier one.
    void addRepeatedNames(const QStringList& newNames);

    // Where the data of sourcePath is now: the source itself or its set-aside file.
    QString readPathOf(const QString& sourcePath) const;

    // The existing names that a placement at destinationPath takes although
    // they are spelt otherwise: in a folder that ignores letter case, the
    // same name in other capitals.
    QStringList caseVariantsOf(const QString& destinationPath) const;

    // sourcePath has been read: its name may be taken from now on.
    void markRead(const QString& sourcePath);
    // sourcePath's copy is placed at destinationPath: its set-aside file, if
    // any, only waits to be deleted as the source of a move.
    void markPlaced(const QString& sourcePath, const QString& destinationPath);

    // False when nothing was at path's name (in any letter case the folder
    // does not tell apart) before the run, nor is a source of the run, nor
    // has an earlier placement of the run taken it: only another program can
    // have put a file there, which the placement, never replacing, finds out.
    bool mayHoldFileAt(const QString& path) const;

    // Sets aside every source among paths that the run has still to read.
    // A read-only source is left where it is: replacing it is refused as always.
    platform::FsError setAsideUnread(const QStringList& paths);
    // Sets aside the sources not read yet that path may reach under a
    // spelling of their name the plan does not know (a second encoding, a
    // letter case the file system folds otherwise). FUSE numbers one file
    // differently under each spelling: a source of the same size and time
    // counts as reached.
    platform::FsError setAsideUnreadReaching(const QString& path);

    // platform::compareFileSystems of folder and the destination folder,
    // looked up once per folder in a run.
    platform::FileSystemMatch fileSystemMatchOf(const QString& folder);

    // Gives every set-aside file whose copy was never placed a visible name
    // again: its own when free, else the first free "name (n).ext". Tells
    // the user of each one that got another name.
    void restoreSetAside();

private:
    // The name of path when it lies directly in the destination folder, else a null string.
    QString nameInDestination(const QString& path) const;
    // name, of the destination folder, may hold a file.
    void know(const QString& name);

    // Placements only meet names of the destination folder: the plan keeps
    // only those, by their key (platform::nameKey).
    QSet<QString> unread_;  // sources in the destination folder not read yet
    QHash<QString, QString> setAside_;  // source path -> set-aside path
    QMultiHash<QString, QString> spellings_;  // key -> names as spelt
    QSet<QString> repeated_;                  // keys
    platform::LetterCase letterCase_;
    QString destinationFolder_;
    QString destinationPrefix_;  // the destination folder ending in "/"
    QStringList aliasPrefixes_;  // source folders that are the destination folder, ending in "/"
    QHash<QString, platform::FileSystemMatch> fileSystemMatches_;
    QMultiHash<QString, QString> unreadByLook_;  // size and time -> source, made when first needed
    RunJournal& journal_;
};

// Sets the file at path aside under a free hidden name of its folder, noted
// in journal first; hidden receives that name.
platform::FsError setAside(const QString& path, RunJournal& journal, QString& hidden);

// A set-aside file that got another name than its own back.
QString keptUnderMessage(const QString& originalPath, const QString& restoredPath);

}  // namespace FileOps
