#include "file_ops/moved_sources.h"

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "shared/result_value.h"

#include <QSet>

namespace FileOps {

namespace {

MovedSources* current = nullptr;

}  // namespace

MovedSources::MovedSources(int groupSize, qint64 groupAgeMs)
    : groupSize_(groupSize), groupAgeMs_(groupAgeMs), outer_(current)
{
    current = this;
}

MovedSources::~MovedSources()
{
    current = outer_;
}

MovedSources* MovedSources::collecting()
{
    return current;
}

qint16 MovedSources::add(const QString& sourcePath, const QString& destinationFolder)
{
    if (waiting_.isEmpty())
        sinceFirst_.start();
    const bool deletable = platform::isDeletableFile(sourcePath);
    waiting_.append(Source{sourcePath, destinationFolder, deletable});
    // A source that cannot be deleted is reported at its own file, as when deleted alone.
    if (waiting_.size() >= groupSize_ || sinceFirst_.elapsed() >= groupAgeMs_ || !deletable)
        return finish();
    return ResultValue::Proceed;
}

qint16 MovedSources::finish()
{
    const QVector<Source> group = waiting_;
    waiting_.clear();
    return deleteOnceOnDisk(group);
}

qint16 MovedSources::deleteNow(const QString& sourcePath, const QString& destinationFolder)
{
    return deleteOnceOnDisk({Source{sourcePath, destinationFolder, platform::isDeletableFile(sourcePath)}});
}

qint16 MovedSources::deleteOnceOnDisk(const QVector<Source>& sources)
{
    QSet<QString> flushed;
    for (const Source& source : sources) {
        if (flushed.contains(source.destinationFolder))
            continue;
        const platform::FsError error = platform::flushFileSystem(source.destinationFolder);
        if (error.failed()) {
            platform::showError(error);
            return ResultValue::Stop;
        }
        flushed.insert(source.destinationFolder);
    }
    for (const Source& source : sources) {
        const platform::FsError error = source.deletable
            ? platform::deleteFile(source.path)
            : platform::makeError(platform::ErrorNumber::PathFileAccess);
        if (error.number == platform::ErrorNumber::PathFileAccess) {
            platform::showMessage(source.path + QStringLiteral("  の削除に失敗しました。以下の処理をキャンセルします。"));
            return ResultValue::Stop;
        }
        if (error.failed()) {
            platform::showError(error);
            return ResultValue::Stop;
        }
    }
    return ResultValue::Proceed;
}

}  // namespace FileOps
