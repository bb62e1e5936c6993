#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The command line handed to the archiver: the command, the archive path and
// the destination folder, each path in double quotes and separated by one
// blank, for example  e "/in/data.lzh" "/tool/MELT/". A double quote inside a
// path is written twice, so that every file name the file system allows
// reads back as it was.
namespace ArchiveCommandLine {

struct Parts {
    QString command;
    QString archivePath;
    QString destinationFolder;
};

// NUL-terminated, in the file system's encoding.
QByteArray build(const QString& command, const QString& archivePath, const QString& destinationFolder);

// Nothing for a text that is not exactly a command and two quoted paths.
std::optional<Parts> parse(const char* commandLine);

}  // namespace ArchiveCommandLine
