#include "archive/frm_melt.h"
#include "platform/dir_list_box.h"
#include "platform/vb_look.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"
#include "test_archives.h"

#include <QLineEdit>

namespace {

class ArchiveItemTest : public MainWindowTest {
protected:
    // A user's double click on the row of that name: press, release, double click, release.
    void doubleClick(const QString& name, int list = 0)
    {
        platform::FileListBox* files = mainWindow().fileList(list);
        files->refresh();
        const int row = ui::entries(files).indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QPoint at = files->visualRect(files->model()->index(row, 0)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease})
            ui::sendMouse(files->viewport(), type, at);
        ui::settle();
    }
    static FrmMELT& contents() { return platform::FormInstance<FrmMELT>::get(); }
    static QString archiveName() { return platform::textOf(contents().Label1.control(0)); }
};

}  // namespace

TEST_F(ArchiveItemTest, ADoubleClickedArchiveOpensTheContentsWindowOnItsMembers)
{
    using TestArchives::cp932;
    tree.writeFile("work/資料.zip", TestArchives::zip({{cp932("表示.txt"), "a"}, {cp932("写真/旅行.jpg"), "b"}}));
    frmMarlow& form = showMainWindow();
    EXPECT_EQ(form.extractedFileList(), nullptr);
    doubleClick("資料.zip");

    ASSERT_TRUE(platform::FormInstance<FrmMELT>::isLoaded());
    FrmMELT& window = contents();
    EXPECT_EQ(archiveName(), "資料.zip");
    EXPECT_EQ(window.fileList()->pattern(), "*.*");
    EXPECT_EQ(window.Text1->text(), "*.*");
    EXPECT_EQ(form.extractedFileList(), window.fileList());
    EXPECT_EQ(ui::entries(window.fileList()), QStringList({"表示.txt"}));
    EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());

    window.Dir1->openEntry(window.Dir1->count() - 1);
    EXPECT_EQ(form.extractedFileList()->path(), form.MeltFolder + "/写真");
    EXPECT_EQ(ui::entries(form.extractedFileList()), QStringList({"旅行.jpg"}));
    window.close();
    ui::settle();
    EXPECT_EQ(form.extractedFileList(), nullptr);
}

TEST_F(ArchiveItemTest, WhatCannotBeExtractedOpensNothing)
{
    for (const char* name : {"work/a.b.lzh", "work/photos.tar.gz", "work/a.lzh"})
        tree.writeFile(name, TestArchives::lzh({{"x.txt", "x"}}));
    frmMarlow& form = showMainWindow();
    tree.writeFile("program/MELT/kept.txt");
    doubleClick("a.lzh", 1);
    EXPECT_TRUE(messages.texts().isEmpty());
    for (const char* name : {"a.b.lzh", "photos.tar.gz"}) {
        messages.clear();
        doubleClick(name);
        EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("解凍できません。")})) << name;
        EXPECT_EQ(form.fileList(0)->selectedCount(), 0) << name;
    }
    EXPECT_EQ(tree.names("program/MELT"), QStringList({"kept.txt"}));
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());
}

TEST_F(ArchiveItemTest, ASecondArchiveReplacesTheFirstAndAnInvalidOneLeavesTheWindow)
{
    tree.writeFile("work/first.lzh", TestArchives::lzh({{"one.txt", "1", "-lh5-", 1}, {"two.txt", "2"}}));
    tree.writeFile("work/second.LZH", TestArchives::lzh({{"three.txt", "3", "-lh0-", 0}}));
    tree.writeFile("work/broken.zip", "not a zip at all");
    frmMarlow& form = showMainWindow();
    doubleClick("first.lzh");
    EXPECT_EQ(ui::entries(contents().fileList()), QStringList({"one.txt", "two.txt"}));
    for (const char* name : {"second.LZH", "broken.zip"}) {
        doubleClick(name);
        EXPECT_EQ(archiveName(), "second.LZH");
        EXPECT_EQ(ui::entries(contents().fileList()), QStringList({"three.txt"}));
        EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
    }
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_TRUE(tree.names("program/MELT").isEmpty());
}
