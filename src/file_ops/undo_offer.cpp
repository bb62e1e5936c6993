#include "file_ops/undo_offer.h"

#include "file_ops/run_recovery.h"
#include "platform/file_name_codec.h"

#include <QDateTime>
#include <QHash>

namespace FileOps {

bool isLeftToUndo(const JournalRun::Item& item)
{
    return !item.undone && (item.placed || item.deleted);
}

namespace {

// What one journal offers, kept while the journal stays as it was read: the
// menu, refreshed after every run and each time it opens, reads again only
// the journals written since (a run of 10,000 files writes a megabyte).
struct JournalOffer {
    platform::FileStamp stamp;
    UndoOffer offer;  // none unless finished and with something left to undo
};

QHash<QString, JournalOffer>& knownOffers()
{
    static QHash<QString, JournalOffer> known;
    return known;
}

JournalOffer offerOf(const QString& path)
{
    JournalOffer read{platform::stampOf(path), UndoOffer{}};
    JournalRun run;
    if (!readJournalRun(path, run) || !run.finished)
        return read;
    read.offer = UndoOffer{path, run.kind, run.startedMs, 0, 0, QString()};
    for (const JournalRun::Item& item : std::as_const(run.items)) {
        if (!isLeftToUndo(item))
            continue;
        ++read.offer.files;
        read.offer.replaced += item.replaced.isEmpty() ? 0 : 1;
        read.offer.folderName = item.planned.name;
    }
    if (read.offer.files == 0)
        read.offer = UndoOffer{};
    return read;
}

}  // namespace

UndoOffer newestUndoableRun(const QString& folder)
{
    QHash<QString, JournalOffer>& known = knownOffers();
    QHash<QString, JournalOffer> looked;
    const QStringList paths = journalPaths(folder);
    const qint64 oldest = QDateTime::currentMSecsSinceEpoch() - qint64(UndoableDays) * 24 * 3600 * 1000;
    UndoOffer newest;
    for (int i = 0; i < paths.size() && i < UndoableRuns && !newest.exists(); ++i) {
        const QString& path = paths.at(i);
        const auto kept = known.constFind(path);
        const JournalOffer read =
            kept != known.cend() && kept->stamp == platform::stampOf(path) ? *kept : offerOf(path);
        looked.insert(path, read);
        if (read.offer.exists() && read.offer.startedMs >= oldest)
            newest = read.offer;
    }
    known.swap(looked);
    return newest;
}

void noteFinishedRun(const UndoOffer& offer)
{
    knownOffers().insert(offer.journalPath,
                         JournalOffer{platform::stampOf(offer.journalPath), offer.files > 0 ? offer : UndoOffer{}});
}

QString undoDescription(const UndoOffer& offer)
{
    QString what;
    switch (offer.kind) {
    case RunKind::Copy: what = QStringLiteral("コピー %1 ファイル").arg(offer.files); break;
    case RunKind::Move: what = QStringLiteral("移動 %1 ファイル").arg(offer.files); break;
    case RunKind::Delete: what = QStringLiteral("削除 %1 ファイル").arg(offer.files); break;
    case RunKind::FolderDeletion:
        what = QStringLiteral("フォルダの削除 %1").arg(platform::readableFileName(offer.folderName));
        break;
    }
    const QString when = QDateTime::fromMSecsSinceEpoch(offer.startedMs).toString(QStringLiteral("MM/dd HH:mm"));
    return what + QStringLiteral("（%1）").arg(when);
}

QString undoMenuText(const UndoOffer& offer)
{
    return offer.exists() ? QStringLiteral("元に戻す: ") + undoDescription(offer) : QStringLiteral("元に戻す");
}

QString undoQuestion(const UndoOffer& offer)
{
    QString what;
    switch (offer.kind) {
    case RunKind::Copy: what = QStringLiteral("コピーした %1 ファイルをごみ箱に移動します。").arg(offer.files); break;
    case RunKind::Move: what = QStringLiteral("移動した %1 ファイルを元の場所に戻します。").arg(offer.files); break;
    case RunKind::Delete:
        what = QStringLiteral("削除した %1 ファイルをごみ箱から元の場所に戻します。").arg(offer.files);
        break;
    case RunKind::FolderDeletion:
        what = QStringLiteral("削除したフォルダー %1 をごみ箱から元の場所に戻します。")
                   .arg(platform::readableFileName(offer.folderName));
        break;
    }
    if (offer.replaced > 0)
        what += QStringLiteral("上書きされた %1 ファイルはごみ箱から戻します。").arg(offer.replaced);
    return undoDescription(offer) + QChar(13) + what + QChar(13) + QStringLiteral("元に戻しますか？");
}

}  // namespace FileOps
