#include "archive/frm_melt.h"
#include "platform/drive_list_box.h"
#include "platform/file_list_box.h"
#include "platform/vb_look.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QLineEdit>

using FrmMELTTest = MainWindowTest;

TEST_F(FrmMELTTest, APatternEnteredFiltersTheListAndSendsTheFocusThere)
{
    tree.writeFile("work/a.txt");
    tree.writeFile("work/b.jpg");
    FrmMELT& window = platform::FormInstance<FrmMELT>::get();
    ui::showActive(&window);
    EXPECT_EQ(window.Drive1->itemData(0).toString(), "/");
    EXPECT_EQ(QApplication::focusWidget(), window.fileList());
    EXPECT_EQ(window.fileList()->listCount(), 2);
    ui::focusByUser(window.Text1);
    EXPECT_EQ(platform::backColor(window.Text1), 0xC0E0FFu);
    window.Text1->setText("*.txt");
    EXPECT_EQ(window.fileList()->listCount(), 2);
    ui::pressKey(window.Text1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window.fileList());
    EXPECT_EQ(platform::backColor(window.Text1), 0xC0C000u);
    ASSERT_EQ(window.fileList()->listCount(), 1);
    EXPECT_EQ(window.fileList()->entry(0), "a.txt");
}
