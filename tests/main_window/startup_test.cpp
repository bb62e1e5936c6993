#include "main_window/frm_marlow.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/vb_form.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QRadioButton>

#include <functional>

#include <gtest/gtest.h>

using MainWindowStartup = MainWindowTest;

TEST_F(MainWindowStartup, StartsOnTheCurrentFolderWithTheDesignValues)
{
    tree.writeFile("work/photo.jpg");
    frmMarlow& form = mainWindow();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tessel・「Velda」"));
    EXPECT_EQ(form.text1(0), "*.*");
    EXPECT_EQ(form.text1(1), workFolder);
    EXPECT_EQ(form.text1(2), workFolder);
    EXPECT_EQ(form.SourceFolder, workFolder);
    EXPECT_EQ(form.DestFolder, workFolder);
    EXPECT_EQ(form.text1(3), "");
    EXPECT_EQ(form.text1(4), "");
    EXPECT_TRUE(form.isOptionSelected(form.Option1, 0));
    EXPECT_TRUE(form.isOptionSelected(form.Option2, 0));
    EXPECT_TRUE(form.isChecked(0));
    EXPECT_TRUE(form.isChecked(1));
    EXPECT_TRUE(form.List1->isHidden());
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"photo.jpg"});
    EXPECT_EQ(ui::entries(form.fileList(1)), QStringList{"photo.jpg"});
    EXPECT_EQ(form.fileList(0)->pattern(), "*.*");
    EXPECT_EQ(form.fileList(1)->pattern(), "*.*");
    EXPECT_EQ(platform::backColor(form.Text1.control(1)), 0xC0C000u);
    EXPECT_EQ(platform::backColor(form.Text1.control(0)), 0xC0FFFFu);
    EXPECT_EQ(platform::backColor(form.File1.control(0)), 0xE0E0E0u);
    EXPECT_EQ(form.Command1.control(0)->toolTip(), QStringLiteral("ファイルのコピーを開始します。"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(MainWindowStartup, TheSourceFolderFieldHasTheFocusWhenTheWindowOpens)
{
    frmMarlow& form = mainWindow();
    ui::showActive(&form);
    EXPECT_EQ(QApplication::focusWidget(), form.Text1.control(1));
    QList<QWidget*> tabOrder;
    QWidget* widget = form.Text1.control(1);
    while (tabOrder.size() < 40) {
        tabOrder.append(widget);
        do
            widget = widget->nextInFocusChain();
        while ((widget->focusPolicy() & Qt::TabFocus) == 0 || !widget->isEnabled());
        if (widget == form.Text1.control(1))
            break;
    }
    QList<QWidget*> expected;
    const QList<QPair<platform::ControlArray*, QList<int>>> order{
        {&form.Text1, {1, 0, 2, 3, 4}}, {&form.File1, {0, 1}}, {&form.Check1, {0, 1}},
        {&form.Option1, {0, 1, 2, 3, 4, 5, 6}}, {&form.Command1, {0, 1}}, {&form.Option2, {0, 1, 2}}};
    for (const auto& [controls, indices] : order)
        for (int index : indices)
            expected.append(controls->control(index));
    EXPECT_EQ(tabOrder, expected);
}

// A program folder given with a trailing separator gives one separator.
TEST_F(MainWindowStartup, WorkFoldersAreEmptiedAtEveryStartHiddenEntriesIncluded)
{
    platform::setProgramFolderOverride(programFolder + "/");
    tree.writeFile("program/TEMP/staged.txt");
    tree.writeFile("program/TEMP/.hidden");
    tree.writeFile("program/MELT/sub/member.txt");
    frmMarlow& form = mainWindow();
    EXPECT_EQ(form.ProgramFolder, programFolder);
    EXPECT_EQ(form.TempFolder, programFolder + "/TEMP");
    EXPECT_EQ(form.MeltFolder, programFolder + "/MELT");
    EXPECT_EQ(form.ManualPath, programFolder + "/manual.html");
    for (const QString folder : {"program/TEMP", "program/MELT"})
        EXPECT_TRUE(tree.exists(folder) && tree.names(folder).isEmpty()) << folder.toStdString();
}

// The close box and the exit menu remove both work folders and end the
// program; an unload by code does neither.
TEST_F(MainWindowStartup, OnlyTheUsersWaysOutRemoveTheWorkFolders)
{
    const QList<std::function<void(frmMarlow&)>> exits{
        [](frmMarlow&) { platform::FormInstance<frmMarlow>::unload(); },
        [](frmMarlow& form) { form.close(); },
        [](frmMarlow& form) { form.mnEnd1->trigger(); }};
    for (int way = 0; way < exits.size(); ++way) {
        SCOPED_TRACE(way);
        endCount = 0;
        exits.at(way)(mainWindow());
        ui::settle();
        const bool userExit = way > 0;
        EXPECT_NE(tree.exists("program/TEMP"), userExit);
        EXPECT_NE(tree.exists("program/MELT"), userExit);
        EXPECT_EQ(endCount, userExit ? 1 : 0);
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
    }
}

TEST_F(MainWindowStartup, TheHelpMenuOpensTheManualBesideTheProgram)
{
    QList<QUrl> opened;
    platform::setDesktopOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    frmMarlow& form = mainWindow();
    form.mnHelp1->trigger();
    platform::setDesktopOpener(nullptr);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl::fromLocalFile(programFolder + "/manual.html"));
    EXPECT_TRUE(messages.texts().isEmpty());
}
