#pragma once

#include "platform/file_identity.h"
#include "platform/fs_error.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace platform {

// What a file list shows of a folder: its ordinary files and links to files
// whose readable names match the pattern, by readable name letter case
// aside, as the file dialogs order them.
struct FileListReading {
    QStringList names;                 // exact, in list order
    QVector<FileIdentity> identities;  // one per name, or none where the listing does not tell them
    QVector<int> rowsInListingOrder;   // the row of each name, in the order the folder listed them
};

// A missing folder fails with 76. previous, an earlier reading or an empty
// one, saves sorting a folder that lists the same names as it did then.
FsError readFileList(const QString& folder, const QString& pattern, const FileListReading& previous,
                     FileListReading& reading);

// Which file each selected name of a list named before a run changed the
// folder, so that afterwards a name still selected is known to name that
// file or another one the run put under it.
class NotedFiles {
public:
    // listedCount: the files the folder's list shows; looking up a few names
    // costs less than reading them all.
    void note(const QString& folder, const QStringList& names, int listedCount);
    void clear() { files_.clear(); }
    bool isEmpty() const { return files_.isEmpty(); }

    // Of the names selected before reading, a new reading of folder, those
    // that stay selected: every name not noted, a noted one while it names
    // the same file. The others are forgotten.
    QSet<QString> kept(const QString& folder, const QStringList& selected, const FileListReading& reading);

private:
    QHash<QString, FileIdentity> files_;
};

}  // namespace platform
