#pragma once

#include "file_ops/journal_reader.h"
#include "platform/name_rules.h"

#include <QHash>
#include <QSet>
#include <QString>

namespace FileOps {

// Where a journaled run placed its files, as an undo of it asks: paths
// compare as their folder compares names, a folder reached by a link being
// the folder itself.
class RunPlacements {
public:
    explicit RunPlacements(const JournalRun& run);

    // A file the run placed at path and no undo has taken away yet.
    bool holdsPlacedFile(const QString& path);
    // A trash file that is one of the run's own placements, replaced by a
    // later file of it (one new name for all).
    bool isEarlierPlacement(const QString& trashFile) const { return earlierPlacements_.contains(trashFile); }

private:
    QString keyOf(const QString& path);

    struct FolderKey {
        QString identity;
        platform::LetterCase letterCase;
    };
    QHash<QString, FolderKey> folderKeys_;  // by folder
    QSet<QString> placed_;                  // by key
    QSet<QString> earlierPlacements_;
};

}  // namespace FileOps
