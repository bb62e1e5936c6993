#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of a start: `velda16 [FOLDER | ARCHIVE]`, or
// --help / --version printed to the terminal. Arguments arrive decoded with
// the file-name codec, so a name that is not UTF-8 keeps its bytes.
namespace StartArguments {

enum class Action { Start, PrintHelp, PrintVersion, Refuse };

struct Request {
    Action action = Action::Start;
    QString path;       // Start: the path named, or empty
    QString complaint;  // Refuse: what to print before the usage line
};

// arguments: the program's name first, then its arguments.
Request parse(const QStringList& arguments);

QString helpText();
QString versionText();
QString usageLine();

// Where a start on a path begins.
struct Opening {
    QString folder;       // both lists start here; empty: the current folder
    QString archiveName;  // an archive in folder to open as a double-click would
    QString message;      // shown when the path cannot be opened
};

Opening openingFor(const QString& path, const QString& currentFolder);

// Shown when a named archive is not among the source list's files.
QString cannotOpenMessage(const QString& path);

}  // namespace StartArguments
