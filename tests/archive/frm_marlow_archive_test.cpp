#include "archive/frm_melt.h"
#include "platform/dir_list_box.h"
#include "platform/vb_look.h"
#include "support/main_window_test.h"
#include "support/shown_progress.h"
#include "support/ui_helpers.h"
#include "test_archives.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class ArchiveItemTest : public MainWindowTest {
protected:
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

// The contents window lists the members of the archive double-clicked last,
// and its folders lead into the archive's folders; an archive that cannot be
// extracted leaves the window and the work folder as they were.
TEST_F(ArchiveItemTest, ADoubleClickedArchiveOpensTheContentsWindowOnItsMembers)
{
    using TestArchives::cp932;
    tree.writeFile("work/資料.zip",
                   TestArchives::zip({{cp932("表示.txt"), "a"}, {"b.jpg", "b"}, {cp932("写真/旅行.jpg"), "b"}}));
    tree.writeFile("work/second.LZH", TestArchives::lzh({{"three.txt", "3", "-lh0-", 0}}));
    tree.writeFile("work/a.b.lzh", TestArchives::lzh({{"x.txt", "x"}}));
    tree.writeFile("work/broken.zip", "not a zip at all");
    frmMarlow& form = showMainWindow();
    tree.writeFile("program/MELT/kept.txt");
    doubleClick("資料.zip", 1);  // the destination list extracts nothing
    EXPECT_TRUE(messages.texts().isEmpty());
    doubleClick("a.b.lzh");
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("解凍できません。")}));
    EXPECT_EQ(form.fileList(0)->selectedCount(), 0);
    EXPECT_EQ(tree.names("program/MELT"), QStringList({"kept.txt"}));
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());

    messages.clear();
    doubleClick("資料.zip");
    ASSERT_TRUE(platform::FormInstance<FrmMELT>::isLoaded());
    FrmMELT& window = contents();
    EXPECT_EQ(archiveName(), "資料.zip");
    EXPECT_EQ(form.extractedFileList(), window.fileList());
    EXPECT_EQ(ui::entries(window.fileList()), QStringList({"b.jpg", "表示.txt"}));
    ui::showActive(&window);
    EXPECT_EQ(ui::focused(), window.fileList());
    // A pattern filters the list once entered, and sends the focus there.
    ui::focusByUser(window.Text1);
    window.Text1->setText("*.jpg");
    EXPECT_EQ(window.fileList()->listCount(), 2);
    ui::pressKey(window.Text1, Qt::Key_Return);
    EXPECT_EQ(ui::focused(), window.fileList());
    EXPECT_EQ(ui::entries(window.fileList()), QStringList({"b.jpg"}));
    window.Dir1->openEntry(window.Dir1->count() - 1);
    EXPECT_EQ(form.extractedFileList()->path(), form.MeltFolder + "/写真");
    EXPECT_EQ(ui::entries(form.extractedFileList()), QStringList({"旅行.jpg"}));

    doubleClick("second.LZH");
    EXPECT_EQ(archiveName(), "second.LZH");
    EXPECT_EQ(ui::entries(window.fileList()), QStringList({"three.txt"}));
    doubleClick("broken.zip");
    EXPECT_EQ(archiveName(), "second.LZH");
    EXPECT_EQ(tree.names("program/MELT"), QStringList({"three.txt"}));
    EXPECT_TRUE(messages.texts().isEmpty());
    window.close();
    ui::settle();
    EXPECT_EQ(form.extractedFileList(), nullptr);
}

// An archive of one big member: the progress window shows its name while it
// is written, and Esc stops within it; the members of the archive open before
// it are gone then, and so is their window. What a stop leaves is the
// extraction's own test.
TEST_F(ArchiveItemTest, ABigMemberShowsProgressWithinItAndEscStopsIt)
{
    const QByteArray big(8 * 1024 * 1024, 'b');
    tree.writeFile("work/big.zip", TestArchives::zip({{"big.bin", big, false, true}}));
    tree.writeFile("work/small.zip", TestArchives::zip({{"small.txt", "s"}}));
    frmMarlow& form = showMainWindow();
    doubleClick("small.zip");
    qint64 shownBytes = 0;
    QStringList shownTexts;
    const ShownProgress shown([&](QWidget* window, const RunProgressFigures& figures) {
        if (figures.filesDone > 0 || figures.bytesDone == 0 || shownBytes > 0)
            return;
        shownBytes = figures.bytesDone;
        for (const QLabel* label : window->findChildren<QLabel*>())
            shownTexts.append(label->text());
        ui::pressKey(window, Qt::Key_Escape);
    });
    doubleClick("big.zip");
    EXPECT_TRUE(shownBytes > 0 && shownBytes < big.size()) << shownBytes;
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("big.bin")));
    EXPECT_EQ(form.extractedFileList(), nullptr);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（0 / 1 ファイル）"));
}
