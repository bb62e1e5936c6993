#include "shared/work_folder_paths.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

// Installed is what has the installed manual beside it (../share/<program>),
// wherever it lies and whoever may write there: it keeps its work folders in
// the per-user data folder and opens that manual.
TEST(WorkFolderPaths, AProgramWithTheInstalledManualBesideItIsInstalled)
{
    TempTree tree;
    const QString installedManual = QStringLiteral("prefix/share/" VELDA_PROGRAM_NAME "/manual.html");
    tree.writeFile(installedManual);
    tree.writeFile("build/manual.html");
    tree.makeFolder("prefix/bin");
    tree.setReadOnly("build");
    const struct { QString folder; bool installed; QString manual; } cases[] = {
        {"prefix/bin", true, installedManual}, {"build", false, "build/manual.html"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        const WorkFolderPaths::Paths paths = WorkFolderPaths::pathsFor(tree.path(c.folder) + "/");
        EXPECT_EQ(paths.program, tree.path(c.folder));
        EXPECT_EQ(paths.base == paths.program, !c.installed);
        EXPECT_EQ(paths.manual, tree.path(c.manual));
    }
}
