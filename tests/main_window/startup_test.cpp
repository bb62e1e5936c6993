#include "platform/process.h"
#include "platform/vb_form.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>

#include <functional>

using MainWindowStartup = MainWindowTest;

// Both lists start on the current folder, or on the one the command line
// names, showing every file; move and overwrite on, the first rules chosen,
// the source field focused.
TEST_F(MainWindowStartup, StartsOnTheCurrentOrTheNamedFolderWithTheSourceFieldFocused)
{
    tree.writeFile("work/photo.jpg");
    tree.writeFile("photos/a.jpg");
    for (const QString& named : {QString(), tree.path("photos")}) {
        SCOPED_TRACE(named.toStdString());
        frmMarlow::StartFolder = named;
        frmMarlow& form = showMainWindow();
        const QString folder = named.isEmpty() ? workFolder : named;
        const QStringList files{named.isEmpty() ? "photo.jpg" : "a.jpg"};
        EXPECT_EQ(QStringList({form.text1(1), form.text1(2), form.SourceFolder, form.DestFolder}),
                  QStringList({folder, folder, folder, folder}));
        EXPECT_EQ(ui::entries(form.fileList(0)), files);
        EXPECT_EQ(ui::entries(form.fileList(1)), files);
        EXPECT_TRUE(form.List1->isHidden());
        EXPECT_EQ(form.fileList(0)->pattern(), "*.*");
        EXPECT_TRUE(form.isChecked(0) && form.isChecked(1));
        EXPECT_TRUE(form.isOptionSelected(form.Option1, 0) && form.isOptionSelected(form.Option2, 0));
        EXPECT_EQ(QApplication::focusWidget(), form.Text1.control(1));
        unloadAllWindows();
    }
    frmMarlow::StartFolder.clear();
    EXPECT_TRUE(messages.texts().isEmpty());
}

// The work folders are emptied at every start, hidden entries included; the
// close box and the exit menu remove them and end the program, an unload by
// code does neither. A program folder given with a trailing separator gives one.
TEST_F(MainWindowStartup, WorkFoldersStartEmptyAndOnlyTheUsersWaysOutRemoveThem)
{
    platform::setProgramFolderOverride(programFolder + "/");
    const QList<std::function<void(frmMarlow&)>> exits{
        [](frmMarlow&) { platform::FormInstance<frmMarlow>::unload(); },
        [](frmMarlow& form) { form.close(); },
        [](frmMarlow& form) { form.mnEnd1->trigger(); }};
    for (int way = 0; way < exits.size(); ++way) {
        SCOPED_TRACE(way);
        endCount = 0;
        tree.writeFile("program/TEMP/.hidden");
        tree.writeFile("program/MELT/sub/member.txt");
        frmMarlow& form = mainWindow();
        EXPECT_EQ(form.TempFolder, programFolder + "/TEMP");
        EXPECT_TRUE(tree.names("program/TEMP").isEmpty() && tree.names("program/MELT").isEmpty());
        exits.at(way)(form);
        ui::settle();
        const bool userExit = way > 0;
        EXPECT_EQ(tree.names("program"), userExit ? QStringList() : QStringList({"MELT", "TEMP"}));
        EXPECT_EQ(endCount, userExit ? 1 : 0);
        unloadAllWindows();
    }
}
