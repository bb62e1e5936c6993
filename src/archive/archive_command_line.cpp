#include "archive/archive_command_line.h"

#include "platform/file_name_codec.h"

#include <QStringList>

namespace ArchiveCommandLine {

namespace {

QByteArray quoted(const QString& path)
{
    QByteArray text = platform::encodeFileName(path);
    text.replace('"', "\"\"");
    return '"' + text + '"';
}

// Splits at blanks; a token in double quotes may hold blanks and doubled quotes.
std::optional<QList<QByteArray>> tokens(const QByteArray& text)
{
    QList<QByteArray> result;
    int i = 0;
    while (i < text.size()) {
        if (text.at(i) == ' ') {
            ++i;
            continue;
        }
        QByteArray token;
        if (text.at(i) == '"') {
            ++i;
            for (;;) {
                if (i >= text.size())
                    return std::nullopt;
                if (text.at(i) == '"') {
                    if (i + 1 < text.size() && text.at(i + 1) == '"') {
                        token += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token += text.at(i++);
            }
            if (i < text.size() && text.at(i) != ' ')
                return std::nullopt;
        } else {
            while (i < text.size() && text.at(i) != ' ' && text.at(i) != '"')
                token += text.at(i++);
            if (i < text.size() && text.at(i) == '"')
                return std::nullopt;
        }
        result.append(token);
    }
    return result;
}

}  // namespace

QByteArray build(const QString& command, const QString& archivePath, const QString& destinationFolder)
{
    return platform::encodeFileName(command) + ' ' + quoted(archivePath) + ' ' + quoted(destinationFolder);
}

std::optional<Parts> parse(const char* commandLine)
{
    if (!commandLine)
        return std::nullopt;
    const std::optional<QList<QByteArray>> parts = tokens(QByteArray(commandLine));
    if (!parts || parts->size() != 3 || parts->at(1).isEmpty() || parts->at(2).isEmpty())
        return std::nullopt;
    return Parts{QString::fromLatin1(parts->at(0)), platform::decodeFileName(parts->at(1)),
                 platform::decodeFileName(parts->at(2))};
}

}  // namespace ArchiveCommandLine
