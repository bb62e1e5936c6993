#pragma once

#include <QString>

// Where the running program keeps its files: its own folder, the work folders
// TEMP (staged copies) and MELT (extracted archives), and its manual.
namespace WorkFolderPaths {

// The manual the help menu opens: beside the program, or the installed one.
QString manualPath(const QString& programFolder, bool installed);

struct Paths {
    QString program;  // without a trailing separator
    // Holds TEMP, MELT and the lock: the program folder for a program run
    // from its own folder, else this deliverable's folder in the per-user
    // data folder.
    QString base;
    QString temp;
    QString melt;
    QString manual;
};

// Every path of a program whose executable lies in applicationFolder. It is
// installed, rather than run from its own folder, when the installed manual
// lies beside it (../share/<program>/manual.html), as after a package or any
// `cmake --install`, to /usr or to ~/.local alike.
Paths pathsFor(const QString& applicationFolder);

}  // namespace WorkFolderPaths
