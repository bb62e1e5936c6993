#include "main_window/start_arguments.h"

#include "archive/archive_file_name.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"

#include <QCommandLineParser>
#include <QDir>

namespace StartArguments {

namespace {

const QString Program = QStringLiteral(VELDA_PROGRAM_NAME);

}  // namespace

Request parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    parser.parse(arguments);
    if (parser.isSet(help))
        return {Action::PrintHelp, {}, {}};
    if (parser.isSet(version))
        return {Action::PrintVersion, {}, {}};
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString option = parser.unknownOptionNames().first();
        const QString dashes = option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return {Action::Refuse, {},
                QStringLiteral("%1: 不明なオプションです / unknown option: %2%3").arg(Program, dashes, option)};
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1)
        return {Action::Refuse, {},
                QStringLiteral("%1: 開けるのは 1 つだけです / only one folder or archive can be opened").arg(Program)};
    return {Action::Start, paths.value(0), {}};
}

QString usageLine()
{
    return QStringLiteral("使い方 / usage: %1 [フォルダー | 書庫.lzh | 書庫.zip]\n"
                          "                %1 [FOLDER | ARCHIVE.lzh | ARCHIVE.zip]\n")
        .arg(Program);
}

QString helpText()
{
    return usageLine()
         + QStringLiteral("\n"
                          "ファイルを名前の変更ルールに従ってコピー・移動するデスクトップツールです。\n"
                          "A desktop tool that copies or moves files under names built by rename rules.\n"
                          "\n"
                          "フォルダーを指定すると、コピー元とコピー先の一覧がそのフォルダーで始まります。\n"
                          "LZH・ZIP書庫を指定すると、書庫のあるフォルダーで始まり、書庫を解凍して内容を表示します。\n"
                          "With a folder, both file lists start on it. With an LZH or ZIP archive,\n"
                          "the lists start on the archive's folder and the archive is opened.\n"
                          "\n"
                          "  -h, --help   この説明を表示して終了 / print this help and exit\n"
                          "  --version    バージョンを表示して終了 / print the version and exit\n");
}

QString versionText()
{
    return QStringLiteral("%1 %2.%3.%4 (" VELDA_TOOLKIT ")\n"
                          "Copyright (c) 2026 The Velda developers\n"
                          "MIT ライセンス / MIT License\n")
        .arg(Program)
        .arg(VELDA_VERSION_MAJOR)
        .arg(VELDA_VERSION_MINOR)
        .arg(VELDA_VERSION_PATCH);
}

Opening openingFor(const QString& path, const QString& currentFolder)
{
    if (path.isEmpty())
        return {};
    const QString full = QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path : currentFolder + QLatin1Char('/') + path);
    if (platform::folderExists(full))
        return {full, {}, {}};
    const QString name = platform::nameOf(full);
    // The source list shows ordinary files only: a hidden archive could not be opened from it.
    if (platform::fileExists(full) && ArchiveFileName::canExtract(name))
        return {platform::parentOf(full), name, {}};
    if (!platform::pathExists(full))
        return {{}, {}, QStringLiteral("%1 が見つかりません。").arg(platform::readableFileName(full))};
    return {{}, {}, cannotOpenMessage(full)};
}

QString cannotOpenMessage(const QString& path)
{
    return QStringLiteral("%1 を開けません。フォルダーか、LZH・ZIP の書庫を指定してください。")
        .arg(platform::readableFileName(path));
}

}  // namespace StartArguments
