#pragma once

#include "file_ops/run_journal.h"
#include "platform/file_identity.h"
#include "platform/fs_error.h"

#include <QElapsedTimer>
#include <QString>
#include <QVector>
#include <QtGlobal>

namespace FileOps {

// A moved source that stays where it was, and why.
struct KeptSource {
    QString path;
    platform::FsError error;  // the deletion's failure; none when the file changed
};

// The one message that names every kept source: those the program was
// refused to delete, those that changed after they were copied, those of
// each other failure.
QString keptSourcesMessage(const QVector<KeptSource>& kept);

// The sources of a move are deleted only once their copies are on disk.
// Flushing the file system once for a group of files, not once per file,
// makes a long move much faster. A run hands it the sources it has placed;
// it deletes them group by group, each deletion noted in the run's journal.
// Copies onto another file system than the staging folder's (a USB stick)
// join the groups too: they keep their sources, so they need no flush before
// they take their names, only one when their group is old, and one at the
// end; their number never makes a group (each flush of a stick costs).
class MovedSources {
public:
    // A group is deleted when it holds this many sources or is this old. A
    // crash leaves at most the files of one group in both places, none in
    // neither.
    explicit MovedSources(RunJournal& journal, int groupSize = 1000, qint64 groupAgeMs = 2000);
    MovedSources(const MovedSources&) = delete;
    MovedSources& operator=(const MovedSources&) = delete;

    // sourcePath, the run's item, has its copy placed in destinationFolder;
    // copied is the source as it was read. Gives back 9 when the group was
    // deleted now and a source stays.
    [[nodiscard]] qint16 add(int item, const QString& sourcePath, const QString& destinationFolder,
               const platform::FileStamp& copied);

    // A copy placed in destinationFolder, not yet on disk; its source stays.
    // Gives back 9 when the group was deleted now and a source stays.
    qint16 addCopy(const QString& destinationFolder);

    // True while a moved source waits to be deleted.
    bool holdsSources() const { return waitingSources_ > 0; }

    // Flushes and deletes every source that waits, each one that can go; a
    // source that changed since it was copied, or is no longer the file
    // copied, stays. Gives back 9 when any stays; each is kept for report().
    [[nodiscard]] qint16 finish();

    // Shows the sources that stayed, in one message, and forgets them.
    void report();

    // Deletes one moved source once its copy is on disk; a source that stays
    // is named at once.
    [[nodiscard]] static qint16 deleteNow(RunJournal& journal, int item, const QString& sourcePath,
                            const QString& destinationFolder, const platform::FileStamp& copied);

private:
    struct Source {
        int item;
        QString path;  // empty for a copy
        QString destinationFolder;
        platform::FileStamp copied;
        bool deletable;  // platform::isDeletableFile when its copy was placed
    };
    static void deleteOnceOnDisk(RunJournal& journal, const QVector<Source>& sources, QVector<KeptSource>& kept);
    qint16 join(const Source& placed);

    RunJournal& journal_;
    int groupSize_;
    qint64 groupAgeMs_;
    QVector<Source> waiting_;
    int waitingSources_ = 0;
    QVector<KeptSource> kept_;
    QElapsedTimer sinceFirst_;
};

}  // namespace FileOps
