#include "archive/frm_melt.h"
#include "archive/unpack32.h"
#include "main_window/frm_marlow.h"
#include "platform/dir_list_box.h"
#include "platform/process.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"
#include "test_archives.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

// A user's double click: press, release, double click, release on the row.
void doubleClickRow(platform::FileListBox* list, int row)
{
    QWidget* viewport = list->viewport();
    const QPoint point = list->visualItemRect(list->item(row)).center();
    const QPointF global(viewport->mapToGlobal(point));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(point), global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    ui::settle();
}

QStringList entries(const platform::FileListBox* list)
{
    QStringList names;
    for (int i = 0; i < list->listCount(); ++i)
        names.append(list->entry(i));
    return names;
}

class ExtractArchiveItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        program_ = tree_.makeFolder("program");
        work_ = tree_.makeFolder("work");
        platform::setProgramFolderOverride(program_);
        QDir::setCurrent(work_);
        platform::setProgramEnder([] {});
    }
    void TearDown() override
    {
        platform::FormInstance<FrmMELT>::unload();
        platform::FormInstance<frmMarlowA>::unload();
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
        Unpack32::setLibraryFileNames(QStringLiteral("liblhasa.so.0"), QStringLiteral("libarchive.so.13"));
        platform::setProgramEnder(nullptr);
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }
    frmMarlow& load()
    {
        frmMarlow& form = platform::FormInstance<frmMarlow>::get();
        ui::showActive(&form);
        return form;
    }
    int rowOf(frmMarlow& form, const QString& name)
    {
        form.fileList(0)->refresh();
        return entries(form.fileList(0)).indexOf(name);
    }
    void doubleClick(frmMarlow& form, const QString& name) { doubleClickRow(form.fileList(0), rowOf(form, name)); }

    ScriptedMessages messages_;
    TempTree tree_;
    QString program_;
    QString work_;
    QString previousFolder_;
};

}  // namespace

TEST_F(ExtractArchiveItemTest, ADoubleClickedArchiveOpensTheContentsWindowOnItsMembers)
{
    using TestArchives::cp932;
    tree_.writeFile(QStringLiteral("work/資料.zip"),
                    TestArchives::zip({{cp932(QStringLiteral("表示.txt")), "a"},
                                       {cp932(QStringLiteral("写真/旅行.jpg")), "b"}}));
    tree_.writeFile("work/other.txt");
    frmMarlow& form = load();
    EXPECT_EQ(form.extractedFileList(), nullptr);
    doubleClick(form, QStringLiteral("資料.zip"));

    ASSERT_TRUE(platform::FormInstance<FrmMELT>::isLoaded());
    FrmMELT& window = platform::FormInstance<FrmMELT>::get();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(platform::textOf(window.Label1.control(0)), QStringLiteral("資料.zip"));
    EXPECT_EQ(window.Dir1->path(), form.MeltFolder);
    EXPECT_EQ(window.fileList()->path(), form.MeltFolder);
    EXPECT_EQ(window.fileList()->pattern(), "*.*");
    EXPECT_EQ(window.Text1->text(), "*.*");
    EXPECT_EQ(entries(window.fileList()), QStringList({QStringLiteral("表示.txt")}));
    EXPECT_EQ(tree_.readFile(QStringLiteral("program/MELT/写真/旅行.jpg")), "b");
    EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
    EXPECT_EQ(form.extractedFileList(), window.fileList());
    EXPECT_TRUE(messages_.texts().isEmpty());

    window.close();
    ui::settle();
    EXPECT_EQ(form.extractedFileList(), nullptr);
}

TEST_F(ExtractArchiveItemTest, ANameThatIsNoArchiveIsRefusedAndTheWorkFolderKept)
{
    tree_.writeFile("work/a.b.lzh", TestArchives::lzh({{"x.txt", {}, "x", "-lh0-", 2}}));
    tree_.writeFile("work/photos.tar.gz");
    frmMarlow& form = load();
    tree_.writeFile("program/MELT/kept.txt");
    for (const QString& name : {QStringLiteral("a.b.lzh"), QStringLiteral("photos.tar.gz")}) {
        messages_.clear();
        doubleClick(form, name);
        EXPECT_EQ(messages_.texts(), QStringList({QStringLiteral("解凍できません。")}));
        EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
    }
    EXPECT_EQ(tree_.names("program/MELT"), QStringList({"kept.txt"}));
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());
}

TEST_F(ExtractArchiveItemTest, TheDestinationListDoesNothingOnADoubleClick)
{
    tree_.writeFile("work/a.lzh", TestArchives::lzh({{"x.txt", {}, "x", "-lh0-", 2}}));
    frmMarlow& form = load();
    form.fileList(1)->refresh();
    doubleClickRow(form.fileList(1), 0);
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());
    EXPECT_TRUE(tree_.names("program/MELT").isEmpty());
}

TEST_F(ExtractArchiveItemTest, ASecondArchiveReplacesTheFirstAndAnInvalidOneLeavesTheWindow)
{
    tree_.writeFile("work/first.lzh", TestArchives::lzh({{"one.txt", {}, "1", "-lh5-", 1},
                                                          {"two.txt", {}, "2", "-lh0-", 2}}));
    tree_.writeFile("work/second.LZH", TestArchives::lzh({{"three.txt", {}, "3", "-lh0-", 0}}));
    tree_.writeFile("work/broken.zip", "not a zip at all");
    frmMarlow& form = load();
    doubleClick(form, "first.lzh");
    FrmMELT& window = platform::FormInstance<FrmMELT>::get();
    EXPECT_EQ(entries(window.fileList()), QStringList({"one.txt", "two.txt"}));
    doubleClick(form, "second.LZH");
    EXPECT_EQ(platform::textOf(window.Label1.control(0)), "second.LZH");
    EXPECT_EQ(entries(window.fileList()), QStringList({"three.txt"}));

    doubleClick(form, "broken.zip");
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_TRUE(tree_.names("program/MELT").isEmpty());
    EXPECT_EQ(platform::textOf(window.Label1.control(0)), "second.LZH");
    EXPECT_EQ(entries(window.fileList()), QStringList({"three.txt"}));
    EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
}

TEST_F(ExtractArchiveItemTest, AMissingLibraryIsReportedAndNothingOpens)
{
    tree_.writeFile("work/a.lzh", TestArchives::lzh({{"x.txt", {}, "x", "-lh0-", 2}}));
    Unpack32::setLibraryFileNames(QStringLiteral("libvelda-no-such-lhasa.so.0"), QStringLiteral("libarchive.so.13"));
    frmMarlow& form = load();
    doubleClick(form, "a.lzh");
    EXPECT_EQ(messages_.texts(), QStringList({QStringLiteral("該当するDLLがありません。")}));
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());
}

TEST_F(ExtractArchiveItemTest, AChosenSubfolderIsWhereTheExtractedFilesAreTaken)
{
    tree_.writeFile("work/a.zip", TestArchives::zip({{"top.txt", "t"}, {"sub/inner.txt", "i"}}));
    frmMarlow& form = load();
    doubleClick(form, "a.zip");
    FrmMELT& window = platform::FormInstance<FrmMELT>::get();
    window.Dir1->openEntry(window.Dir1->count() - 1);
    EXPECT_EQ(form.extractedFileList()->path(), form.MeltFolder + "/sub");
    EXPECT_EQ(entries(form.extractedFileList()), QStringList({"inner.txt"}));
}
