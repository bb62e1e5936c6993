#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QVector>
#include <QtGlobal>

namespace FileOps {

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

    // sourcePath's copy is placed in destinationFolder. Gives back 9 when the
    // group was deleted now and a deletion failed (after its message).
    qint16 add(const QString& sourcePath, const QString& destinationFolder);

    // Flushes and deletes every source that waits. The first failure is
    // shown and gives back 9; the sources after it stay, as do those of a
    // group never finished.
    qint16 finish();

    // Deletes one moved source once its copy is on disk.
    static qint16 deleteNow(const QString& sourcePath, const QString& destinationFolder);

private:
    struct Source {
        QString path;
        QString destinationFolder;
        bool deletable;  // platform::isDeletableFile when its copy was placed
    };
    static qint16 deleteOnceOnDisk(const QVector<Source>& sources);

    int groupSize_;
    qint64 groupAgeMs_;
    QVector<Source> waiting_;
    QElapsedTimer sinceFirst_;
    MovedSources* outer_;
};

}  // namespace FileOps
