#include "shared/work_folder_paths.h"

#include "platform/file_system.h"

#include <QDir>
#include <QStandardPaths>

namespace WorkFolderPaths {

namespace {

QString baseFolder(const QString& programFolder, bool installed)
{
    if (!installed)
        return programFolder;
    // One folder per deliverable, so that both may run side by side.
    return platform::joinPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                              QStringLiteral(VELDA_PROGRAM_NAME));
}

}  // namespace

QString manualPath(const QString& programFolder, bool installed)
{
    if (!installed)
        return programFolder + QStringLiteral("/manual.html");
    return QDir::cleanPath(programFolder + QStringLiteral("/" VELDA_INSTALLED_MANUAL));
}

Paths pathsFor(const QString& applicationFolder)
{
    Paths paths;
    paths.program = platform::withoutTrailingSeparators(applicationFolder);
    const bool installed = platform::fileExists(manualPath(paths.program, true));
    paths.base = baseFolder(paths.program, installed);
    paths.temp = platform::joinPath(paths.base, QStringLiteral("TEMP"));
    paths.melt = platform::joinPath(paths.base, QStringLiteral("MELT"));
    paths.manual = manualPath(paths.program, installed);
    return paths;
}

}  // namespace WorkFolderPaths
