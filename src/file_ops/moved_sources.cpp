#include "file_ops/moved_sources.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "shared/result_value.h"

#include <QMap>
#include <QSet>
#include <QStringList>

namespace FileOps {

namespace {

// A message box holds so many names; the rest are counted.
constexpr int NamesShown = 30;

QString namesOf(const QStringList& paths)
{
    QStringList shown;
    for (const QString& path : paths.mid(0, NamesShown))
        shown.append(platform::readableFileName(path));
    if (paths.size() > NamesShown)
        shown.append(QStringLiteral("ほか %1 件").arg(paths.size() - NamesShown));
    return shown.join(QChar(13));
}

}  // namespace

QString keptSourcesMessage(const QVector<KeptSource>& kept)
{
    QStringList refused, changed;
    QMap<int, QStringList> failed;
    for (const KeptSource& source : kept) {
        if (!source.error.failed())
            changed.append(source.path);
        else if (source.error.number == platform::ErrorNumber::PathFileAccess)
            refused.append(source.path);
        else
            failed[source.error.number].append(source.path);
    }
    QStringList parts;
    if (!refused.isEmpty())
        parts.append(namesOf(refused) + QStringLiteral("  の削除に失敗しました。以下の処理をキャンセルします。"));
    if (!changed.isEmpty())
        parts.append(namesOf(changed) + QStringLiteral("  はコピーの後に変更されたため、削除しませんでした。"));
    for (auto failure = failed.cbegin(); failure != failed.cend(); ++failure)
        parts.append(platform::errorMessageText(platform::makeError(failure.key())) + QChar(13)
                     + namesOf(failure.value()));
    return parts.join(QString(2, QChar(13)));
}

MovedSources::MovedSources(RunJournal& journal, int groupSize, qint64 groupAgeMs)
    : journal_(journal), groupSize_(groupSize), groupAgeMs_(groupAgeMs)
{
}

qint16 MovedSources::add(int item, const QString& sourcePath, const QString& destinationFolder,
                         const platform::FileStamp& copied)
{
    ++waitingSources_;
    return join(Source{item, sourcePath, destinationFolder, copied, platform::isDeletableFile(sourcePath)});
}

qint16 MovedSources::addCopy(const QString& destinationFolder)
{
    return join(Source{-1, QString(), destinationFolder, platform::FileStamp{}, true});
}

qint16 MovedSources::join(const Source& placed)
{
    if (waiting_.isEmpty())
        sinceFirst_.start();
    waiting_.append(placed);
    // A source that cannot be deleted ends the run at its own file, as when deleted alone.
    if (waitingSources_ >= groupSize_ || sinceFirst_.elapsed() >= groupAgeMs_ || !placed.deletable)
        return finish();
    return ResultValue::Proceed;
}

qint16 MovedSources::finish()
{
    if (waiting_.isEmpty())
        return ResultValue::Proceed;
    const QVector<Source> group = waiting_;
    waiting_.clear();
    waitingSources_ = 0;
    const int keptBefore = int(kept_.size());
    deleteOnceOnDisk(journal_, group, kept_);
    return kept_.size() > keptBefore ? ResultValue::Stop : ResultValue::Proceed;
}

void MovedSources::report()
{
    if (!kept_.isEmpty())
        platform::showMessage(keptSourcesMessage(kept_));
    kept_.clear();
}

qint16 MovedSources::deleteNow(RunJournal& journal, int item, const QString& sourcePath,
                               const QString& destinationFolder, const platform::FileStamp& copied)
{
    QVector<KeptSource> kept;
    deleteOnceOnDisk(journal, {Source{item, sourcePath, destinationFolder, copied, platform::isDeletableFile(sourcePath)}},
                     kept);
    if (kept.isEmpty())
        return ResultValue::Proceed;
    platform::showMessage(keptSourcesMessage(kept));
    return ResultValue::Stop;
}

void MovedSources::deleteOnceOnDisk(RunJournal& journal, const QVector<Source>& sources, QVector<KeptSource>& kept)
{
    QSet<QString> flushed;
    for (const Source& source : sources) {
        if (flushed.contains(source.destinationFolder))
            continue;
        const platform::FsError error = platform::flushFileSystem(source.destinationFolder);
        if (error.failed()) {
            // Copies that may not be on disk: every source stays, and the
            // folder of copies that may be incomplete is named.
            bool copies = false;
            for (const Source& unsure : sources) {
                copies = copies || unsure.path.isEmpty();
                if (!unsure.path.isEmpty())
                    kept.append(KeptSource{unsure.path, error});
            }
            if (copies)
                kept.append(KeptSource{source.destinationFolder, error});
            return;
        }
        flushed.insert(source.destinationFolder);
    }
    const platform::FsError noted = journal.flushed();
    if (noted.failed()) {
        for (const Source& source : sources)
            kept.append(KeptSource{source.path, noted});
        return;
    }
    // Each source goes on its own: one that must stay keeps no other.
    platform::FsError unnoted;
    for (const Source& source : sources) {
        if (source.path.isEmpty())
            continue;
        platform::FsError lookup;
        const platform::FileStamp now = platform::stampOf(source.path, &lookup);
        if (lookup.number == platform::ErrorNumber::FileNotFound)
            continue;  // gone already: nothing stays
        if (lookup.failed()) {
            kept.append(KeptSource{source.path, lookup});
            continue;
        }
        if (now != source.copied) {
            kept.append(KeptSource{source.path, platform::FsError{}});
            continue;
        }
        const platform::FsError error = source.deletable
            ? platform::deleteFile(source.path)
            : platform::makeError(platform::ErrorNumber::PathFileAccess);
        if (error.failed())
            kept.append(KeptSource{source.path, error});
        else if (!unnoted.failed())
            unnoted = journal.sourceDeleted(source.item);
    }
    if (unnoted.failed())
        kept.append(KeptSource{journal.path(), unnoted});
}

}  // namespace FileOps
