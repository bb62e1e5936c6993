#pragma once

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
// makes a long move much faster. While an instance lives, copyOneFile
// hands it the sources it has placed; it deletes them group by group.
class MovedSources {
public:
    // A group is deleted when it is this big or this old. A crash leaves at
    // most the files of one group in both places, none in neither.
    explicit MovedSources(int groupSize = 1000, qint64 groupAgeMs = 2000);
    ~MovedSources();
    MovedSources(const MovedSources&) = delete;
    MovedSources& operator=(const MovedSources&) = delete;

    // The group copyOneFile hands its sources to, or nullptr.
    static MovedSources* collecting();

    // sourcePath's copy is placed in destinationFolder; copied is the source
    // as it was read. Gives back 9 when the group was deleted now and a
    // source stays.
    qint16 add(const QString& sourcePath, const QString& destinationFolder, const platform::FileStamp& copied);

    // Flushes and deletes every source that waits, each one that can go; a
    // source that changed since it was copied, or is no longer the file
    // copied, stays. Gives back 9 when any stays; each is kept for report().
    qint16 finish();

    // Shows the sources that stayed, in one message, and forgets them.
    void report();

    // Deletes one moved source once its copy is on disk; a source that stays
    // is named at once.
    static qint16 deleteNow(const QString& sourcePath, const QString& destinationFolder,
                            const platform::FileStamp& copied);

private:
    struct Source {
        QString path;
        QString destinationFolder;
        platform::FileStamp copied;
        bool deletable;  // platform::isDeletableFile when its copy was placed
    };
    static void deleteOnceOnDisk(const QVector<Source>& sources, QVector<KeptSource>& kept);

    int groupSize_;
    qint64 groupAgeMs_;
    QVector<Source> waiting_;
    QVector<KeptSource> kept_;
    QElapsedTimer sinceFirst_;
    MovedSources* outer_;
};

}  // namespace FileOps
