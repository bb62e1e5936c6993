#include "main_window/frm_marlow.h"
#include "platform/process.h"
#include "platform/vb_form.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class MainWindowStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        program_ = tree_.makeFolder("program");
        work_ = tree_.makeFolder("work");
        platform::setProgramFolderOverride(program_);
        QDir::setCurrent(work_);
        platform::setProgramEnder([this] { ++endCount_; });
    }
    void TearDown() override
    {
        platform::FormInstance<frmMarlowA>::unload();
        if (platform::FormInstance<frmMarlow>::isLoaded())
            platform::FormInstance<frmMarlow>::unload();
        ui::settle();
        platform::setProgramEnder(nullptr);
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }

    frmMarlow& load() { return platform::FormInstance<frmMarlow>::get(); }

    ScriptedMessages messages_;
    TempTree tree_;
    QString program_;
    QString work_;
    QString previousFolder_;
    int endCount_ = 0;
};

}  // namespace

TEST_F(MainWindowStartup, StartsOnTheCurrentFolderWithTheDesignValues)
{
    tree_.writeFile("work/photo.jpg");
    frmMarlow& form = load();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tessel・「Velda」"));
    EXPECT_EQ(form.text1(0), "*.*");
    EXPECT_EQ(form.text1(1), work_);
    EXPECT_EQ(form.text1(2), work_);
    EXPECT_EQ(form.SourceFolder, work_);
    EXPECT_EQ(form.DestFolder, work_);
    EXPECT_EQ(form.text1(3), "");
    EXPECT_EQ(form.text1(4), "");
    EXPECT_TRUE(form.isOptionSelected(form.Option1, 0));
    EXPECT_TRUE(form.isOptionSelected(form.Option2, 0));
    EXPECT_TRUE(form.isChecked(0));
    EXPECT_TRUE(form.isChecked(1));
    EXPECT_TRUE(form.List1->isHidden());
    EXPECT_EQ(form.fileList(0)->listCount(), 1);
    EXPECT_EQ(form.fileList(0)->pattern(), "*.*");
    EXPECT_EQ(form.fileList(1)->pattern(), "*.*");
    EXPECT_EQ(platform::backColor(form.Text1.control(1)), 0xC0C000u);
    EXPECT_EQ(platform::backColor(form.Text1.control(0)), 0xC0FFFFu);
    EXPECT_EQ(platform::backColor(form.File1.control(0)), 0xE0E0E0u);
    EXPECT_EQ(form.Command1.control(0)->toolTip(), QStringLiteral("ファイルのコピーを開始します。"));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowStartup, TheSourceFolderFieldHasTheFocusWhenTheWindowOpens)
{
    frmMarlow& form = load();
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
    const QList<QWidget*> expected{
        form.Text1.control(1), form.Text1.control(0), form.Text1.control(2), form.Text1.control(3),
        form.Text1.control(4), form.File1.control(0), form.File1.control(1), form.Check1.control(0),
        form.Check1.control(1), form.Option1.control(0), form.Option1.control(1), form.Option1.control(2),
        form.Option1.control(3), form.Option1.control(4), form.Option1.control(5), form.Option1.control(6),
        form.Command1.control(0), form.Command1.control(1), form.Option2.control(0),
        form.Option2.control(1), form.Option2.control(2)};
    EXPECT_EQ(tabOrder, expected);
}

TEST_F(MainWindowStartup, WorkFoldersAreEmptiedAtEveryStartHiddenEntriesIncluded)
{
    tree_.writeFile("program/TEMP/staged.txt");
    tree_.writeFile("program/TEMP/.hidden");
    tree_.writeFile("program/MELT/sub/member.txt");
    frmMarlow& form = load();
    EXPECT_EQ(form.ProgramFolder, program_);
    EXPECT_EQ(form.TempFolder, program_ + "/TEMP");
    EXPECT_EQ(form.MeltFolder, program_ + "/MELT");
    EXPECT_EQ(form.ManualPath, program_ + "/manual.html");
    EXPECT_TRUE(tree_.exists("program/TEMP"));
    EXPECT_TRUE(tree_.names("program/TEMP").isEmpty());
    EXPECT_TRUE(tree_.exists("program/MELT"));
    EXPECT_TRUE(tree_.names("program/MELT").isEmpty());
}

TEST_F(MainWindowStartup, AProgramFolderWithATrailingSeparatorGivesOneSeparator)
{
    platform::setProgramFolderOverride(program_ + "/");
    frmMarlow& form = load();
    EXPECT_EQ(form.ProgramFolder, program_);
    EXPECT_EQ(form.TempFolder, program_ + "/TEMP");
}

TEST_F(MainWindowStartup, ClosingByTheCloseBoxRemovesBothWorkFoldersAndEnds)
{
    frmMarlow& form = load();
    tree_.writeFile("program/TEMP/left.txt");
    form.close();
    ui::settle();
    EXPECT_FALSE(tree_.exists("program/TEMP"));
    EXPECT_FALSE(tree_.exists("program/MELT"));
    EXPECT_EQ(endCount_, 1);
}

TEST_F(MainWindowStartup, UnloadingByCodeKeepsTheWorkFolders)
{
    load();
    platform::FormInstance<frmMarlow>::unload();
    ui::settle();
    EXPECT_TRUE(tree_.exists("program/TEMP"));
    EXPECT_TRUE(tree_.exists("program/MELT"));
    EXPECT_EQ(endCount_, 0);
}

TEST_F(MainWindowStartup, TheExitMenuRemovesBothWorkFoldersAndEnds)
{
    frmMarlow& form = load();
    form.mnEnd1->trigger();
    EXPECT_FALSE(tree_.exists("program/TEMP"));
    EXPECT_FALSE(tree_.exists("program/MELT"));
    EXPECT_EQ(endCount_, 1);
}
