#include "archive/extraction_messages.h"

#include <QLocale>
#include <QStringList>

namespace ExtractionMessages {

namespace {

constexpr int NamesShown = 5;

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString reasonText(MemberExtraction::SkipReason reason)
{
    using MemberExtraction::SkipReason;
    switch (reason) {
    case SkipReason::LeavesFolder: return QStringLiteral("フォルダーの外を指す名前");
    case SkipReason::Link: return QStringLiteral("リンク");
    case SkipReason::Device: return QStringLiteral("特殊なファイル");
    case SkipReason::UnusableName: return QStringLiteral("使えない名前");
    case SkipReason::Damaged: return QStringLiteral("データが壊れています");
    case SkipReason::Cut: return QStringLiteral("データが途中で切れています");
    case SkipReason::UnsupportedMethod: return QStringLiteral("対応していない圧縮形式");
    case SkipReason::UnsupportedOrDamaged: return QStringLiteral("対応していない圧縮形式か、データが壊れています");
    case SkipReason::SizeBeyondReader: return QStringLiteral("4 GiB を超える大きさに対応していません");
    case SkipReason::Unreadable: return QStringLiteral("読み取れません");
    case SkipReason::Encrypted: return QStringLiteral("パスワード付き");
    case SkipReason::NoSpace: return QStringLiteral("ディスクの空き不足");
    case SkipReason::NotWritable: return QStringLiteral("書き込めません");
    case SkipReason::ArchiveBroken: break;
    }
    return QString();
}

}  // namespace

QString noRoom(qint64 declaredBytes, qint64 freeBytes)
{
    return QStringLiteral("解凍すると %1 になりますが、作業フォルダーのディスクの空きは %2 です。\r"
                          "空きが足りないため解凍しませんでした。")
        .arg(sizeText(declaredBytes), sizeText(freeBytes));
}

QString memberTooLarge(const QString& memberName)
{
    return QStringLiteral("%1 が書庫に記された大きさを超えたため、解凍を中止しました。").arg(memberName);
}

QString encryptedDirectory()
{
    return QStringLiteral("書庫のファイル一覧が暗号化されているため、解凍できません。");
}

QString report(const MemberExtraction::Outcome& outcome)
{
    QStringList lines;
    QString brokenAfter;
    bool broken = false;
    int count = 0;
    for (const MemberExtraction::SkippedMember& member : outcome.skipped) {
        if (member.reason == MemberExtraction::SkipReason::ArchiveBroken) {
            broken = true;
            brokenAfter = member.name;
            continue;
        }
        if (++count <= NamesShown)
            lines << QStringLiteral("%1（%2）").arg(member.name, reasonText(member.reason));
    }
    if (count > NamesShown)
        lines << QStringLiteral("ほか %1 個").arg(count - NamesShown);
    QStringList parts;
    if (count > 0)
        parts << QStringLiteral("%1 個のファイルを解凍しませんでした。\r").arg(count) + lines.join(QLatin1Char('\r'));
    if (broken)
        parts << (brokenAfter.isEmpty() ? QStringLiteral("書庫が壊れていて読めない部分があります。")
                                        : QStringLiteral("書庫が %1 の後で壊れていて、その先は読めませんでした。")
                                              .arg(brokenAfter));
    for (const bool refused : {false, true}) {
        QStringList names;
        int renamed = 0;
        for (const MemberPlaces::Renamed& member : outcome.renamed) {
            if (member.refused != refused)
                continue;
            if (++renamed <= NamesShown)
                names << QStringLiteral("%1 → %2").arg(member.from, member.to);
        }
        if (renamed == 0)
            continue;
        if (renamed > NamesShown)
            names << QStringLiteral("ほか %1 個").arg(renamed - NamesShown);
        const QString heading = refused ? QStringLiteral("ディスクが受け付けない名前のため、%1 個を別の名前で解凍しました。\r")
                                        : QStringLiteral("同じ名前が書庫に重ねてあったため、%1 個を別の名前で解凍しました。\r");
        parts << heading.arg(renamed) + names.join(QLatin1Char('\r'));
    }
    return parts.join(QLatin1Char('\r'));
}

}  // namespace ExtractionMessages
