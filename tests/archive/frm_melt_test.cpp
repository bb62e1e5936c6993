#include "archive/frm_melt.h"
#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/file_list_box.h"
#include "platform/vb_look.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

QWidget* nextTabStop(QWidget* widget)
{
    do
        widget = widget->nextInFocusChain();
    while ((widget->focusPolicy() & Qt::TabFocus) == 0);
    return widget;
}

class FrmMELTTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(tree_.root());
    }
    void TearDown() override
    {
        platform::FormInstance<FrmMELT>::unload();
        ui::settle();
        QDir::setCurrent(previousFolder_);
    }
    FrmMELT& load()
    {
        FrmMELT& window = platform::FormInstance<FrmMELT>::get();
        ui::showActive(&window);
        return window;
    }

    ScriptedMessages messages_;
    TempTree tree_;
    QString previousFolder_;
};

}  // namespace

TEST_F(FrmMELTTest, OpensWithItsDesignValues)
{
    FrmMELT& window = load();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("解凍ファイル一覧"));
    EXPECT_EQ(platform::textOf(window.Label1.control(0)), "");
    EXPECT_EQ(platform::backColor(window.Label1.control(0)), 0x00C0C0u);
    EXPECT_EQ(window.Label1.control(0)->toolTip(), QStringLiteral("圧縮ファイル名です。"));
    EXPECT_EQ(platform::textOf(window.Label1.control(1)), QStringLiteral("解凍用ワークフォルダー（ＭＥＬＴ）"));
    EXPECT_EQ(platform::textOf(window.Label1.control(8)), QStringLiteral("ﾌｧｲﾙ種類"));
    EXPECT_EQ(platform::backColor(window.Text1), 0xC0FFFFu);
    EXPECT_EQ(window.Text1->toolTip(), QStringLiteral("ファイルの種類（拡張子）を指定します。"));
    EXPECT_EQ(platform::backColor(window.fileList()), 0xE0E0E0u);
    EXPECT_EQ(window.fileList()->toolTip(), QStringLiteral("圧縮ファイル内に含まれるファイルの一覧です。"));
    EXPECT_EQ(window.fileList()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(window.Drive1->itemData(0).toString(), "/");
    EXPECT_EQ(QApplication::focusWidget(), window.fileList());
    EXPECT_EQ(nextTabStop(window.fileList()), window.Text1);
    EXPECT_EQ(nextTabStop(window.Text1), window.Drive1);
    EXPECT_EQ(nextTabStop(window.Drive1), window.Dir1);
    EXPECT_EQ(nextTabStop(window.Dir1), window.fileList());
    EXPECT_EQ(window.width(), platform::twipsToPixels(5190));
    EXPECT_NE(window.minimumSize(), window.maximumSize());
}

TEST_F(FrmMELTTest, APatternTypedAndEnteredFiltersTheList)
{
    tree_.writeFile("a.txt");
    tree_.writeFile("b.jpg");
    FrmMELT& window = load();
    EXPECT_EQ(window.fileList()->listCount(), 2);
    ui::focusByUser(window.Text1);
    EXPECT_EQ(platform::backColor(window.Text1), 0xC0E0FFu);
    window.Text1->setText(QStringLiteral("*.txt"));
    EXPECT_EQ(window.fileList()->listCount(), 2);
    ui::pressKey(window.Text1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window.fileList());
    EXPECT_EQ(platform::backColor(window.Text1), 0xC0C000u);
    EXPECT_EQ(window.fileList()->pattern(), "*.txt");
    ASSERT_EQ(window.fileList()->listCount(), 1);
    EXPECT_EQ(window.fileList()->entry(0), "a.txt");
}

TEST_F(FrmMELTTest, TheFolderListDrivesTheFileList)
{
    tree_.writeFile("MELT/top.txt");
    tree_.writeFile("MELT/sub/inner.txt");
    FrmMELT& window = load();
    window.Dir1->setPath(tree_.path("MELT"));
    EXPECT_EQ(window.fileList()->path(), tree_.path("MELT"));
    EXPECT_EQ(window.fileList()->entry(0), "top.txt");
    window.Dir1->openEntry(window.Dir1->count() - 1);
    EXPECT_EQ(window.fileList()->path(), tree_.path("MELT/sub"));
    ASSERT_EQ(window.fileList()->listCount(), 1);
    EXPECT_EQ(window.fileList()->entry(0), "inner.txt");
}
