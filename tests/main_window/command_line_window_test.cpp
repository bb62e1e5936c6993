#include "archive/frm_melt.h"
#include "archive/test_archives.h"
#include "platform/shell.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class MainWindowWayIn : public MainWindowTest {
protected:
    void TearDown() override
    {
        frmMarlow::StartFolder.clear();
        platform::setDesktopOpener(nullptr);
        MainWindowTest::TearDown();
    }

    // A file manager's drag of these paths, let go over the control; true
    // when the drop was taken, as a copy.
    static bool drop(QWidget* control, const QStringList& paths)
    {
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        QMimeData data;
        data.setUrls(urls);
        QWidget* area = static_cast<QAbstractScrollArea*>(control)->viewport();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(4, 4), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(4, 4), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &dropped);
        ui::settle();
        return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }
};

}  // namespace

TEST_F(MainWindowWayIn, AFolderFromTheCommandLineIsWhereBothListsStart)
{
    frmMarlow::StartFolder = tree.makeFolder("photos");
    tree.writeFile("photos/a.jpg");
    frmMarlow& form = mainWindow();
    for (int field : {1, 2})
        EXPECT_EQ(form.text1(field), frmMarlow::StartFolder);
    EXPECT_EQ(form.SourceFolder, frmMarlow::StartFolder);
    EXPECT_EQ(form.DestFolder, frmMarlow::StartFolder);
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList({"a.jpg"}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(MainWindowWayIn, AnArchiveFromTheCommandLineOpensAsADoubleClickOnItWould)
{
    tree.writeFile("work/資料.zip", TestArchives::zip({{"表示.txt", "a"}}));
    frmMarlow& form = showMainWindow();
    form.openListedArchive("資料.zip");
    ui::settle();
    ASSERT_TRUE(platform::FormInstance<FrmMELT>::isLoaded());
    EXPECT_EQ(ui::entries(platform::FormInstance<FrmMELT>::get().fileList()), QStringList({"表示.txt"}));
    EXPECT_TRUE(messages.texts().isEmpty());

    form.openListedArchive("消えた.zip");
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().contains("消えた.zip"));
}

TEST_F(MainWindowWayIn, HelpWithNothingToOpenTheManualSaysWhereTheManualIs)
{
    platform::setDesktopOpener([](const QUrl&) { return false; });
    frmMarlow& form = mainWindow();
    form.mnHelp1_Click();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().contains(form.ManualPath)) << messages.last().toStdString();
}

TEST_F(MainWindowWayIn, AFolderDroppedOnAFolderFieldIsTakenAsTyped)
{
    const QString photos = tree.makeFolder("photos");
    tree.writeFile("photos/a.jpg");
    tree.writeFile("work/b.jpg");
    frmMarlow& form = showMainWindow();

    EXPECT_FALSE(drop(form.Text1.control(1), {tree.path("work/b.jpg")}));
    EXPECT_FALSE(drop(form.Text1.control(1), {photos, workFolder}));
    EXPECT_EQ(form.text1(1), workFolder);

    ASSERT_TRUE(drop(form.Text1.control(1), {photos}));
    EXPECT_EQ(form.text1(1), photos);
    EXPECT_EQ(form.SourceFolder, photos);
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList({"a.jpg"}));
    ASSERT_TRUE(drop(form.Text1.control(2), {photos}));
    EXPECT_EQ(form.DestFolder, photos);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(MainWindowWayIn, FilesDroppedOnTheSourceListAreSelectedWhenTheyLieInItsFolder)
{
    for (const char* name : {"work/a.jpg", "work/b.jpg", "work/c.jpg", "other/d.jpg"})
        tree.writeFile(name);
    frmMarlow& form = showMainWindow();
    form.fileList(0)->setSelected(2, true);

    EXPECT_FALSE(drop(form.fileList(0), {tree.path("other/d.jpg")}));
    EXPECT_EQ(ui::selectedEntries(form.fileList(0)), QStringList({"c.jpg"}));
    ASSERT_TRUE(drop(form.fileList(0), {tree.path("work/b.jpg"), tree.path("other/d.jpg"), tree.path("work/a.jpg")}));
    EXPECT_EQ(ui::selectedEntries(form.fileList(0)), QStringList({"a.jpg", "b.jpg"}));
}
