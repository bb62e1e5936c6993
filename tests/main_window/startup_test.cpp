#include "main_window/frm_marlow.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/vb_form.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>

#include <functional>

#include <gtest/gtest.h>

using MainWindowStartup = MainWindowTest;

// Both lists start on the current folder showing every file, move and
// overwrite on, the first rules chosen; the source field has the focus and
// Tab walks the controls in the order of the classic window.
TEST_F(MainWindowStartup, StartsOnTheCurrentFolderWithTheSourceFieldFocused)
{
    tree.writeFile("work/photo.jpg");
    frmMarlow& form = showMainWindow();
    EXPECT_EQ(QStringList({form.text1(1), form.text1(2), form.SourceFolder, form.DestFolder}),
              QStringList({workFolder, workFolder, workFolder, workFolder}));
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"photo.jpg"});
    EXPECT_EQ(ui::entries(form.fileList(1)), QStringList{"photo.jpg"});
    EXPECT_TRUE(form.List1->isHidden());
    EXPECT_EQ(form.fileList(0)->pattern(), "*.*");
    EXPECT_TRUE(form.isChecked(0) && form.isChecked(1));
    EXPECT_TRUE(form.isOptionSelected(form.Option1, 0) && form.isOptionSelected(form.Option2, 0));
    QList<QWidget*> expected;
    const QList<QPair<platform::ControlArray*, QList<int>>> order{
        {&form.Text1, {1, 0, 2, 3, 4}}, {&form.File1, {0, 1}}, {&form.Check1, {0, 1}},
        {&form.Option1, {0, 1, 2, 3, 4, 5, 6}}, {&form.Command1, {0, 1}}, {&form.Option2, {0, 1, 2}}};
    for (const auto& [controls, indices] : order)
        for (int index : indices)
            expected.append(controls->control(index));
    ASSERT_EQ(QApplication::focusWidget(), form.Text1.control(1));
    QList<QWidget*> tabOrder{QApplication::focusWidget()};
    for (QWidget* widget = tabOrder.first(); tabOrder.size() <= expected.size();) {
        do
            widget = widget->nextInFocusChain();
        while ((widget->focusPolicy() & Qt::TabFocus) == 0 || !widget->isEnabled());
        tabOrder.append(widget);
    }
    expected.append(expected.first());
    EXPECT_EQ(tabOrder, expected);
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
        EXPECT_NE(tree.exists("program/TEMP"), userExit);
        EXPECT_NE(tree.exists("program/MELT"), userExit);
        EXPECT_EQ(endCount, userExit ? 1 : 0);
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
    }
}
