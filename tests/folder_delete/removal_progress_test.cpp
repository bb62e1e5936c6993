#include "folder_delete/folder_deletion.h"
#include "folder_delete/frm_del_dir.h"
#include "support/main_window_test.h"
#include "support/shown_progress.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using FolderRemovalProgress = MainWindowTest;

// Deleted for good (Shift held), the files of one folder are counted first
// and each is a step: the window shows done of all, Esc stops after the file
// being deleted, and the user is told how much went.
TEST_F(FolderRemovalProgress, ThirtyThousandFilesInOneFolderShowDoneOfAllAndEscCancels)
{
    const QString big = tree.makeFolder("work/big");
    for (int file = 0; file < 30000; ++file)
        tree.writeFile(QStringLiteral("work/big/f%1").arg(file), {});
    QStringList shownTexts;
    const ShownProgress shown([&](QWidget* window, const RunProgressFigures& figures) {
        if (figures.filesDone != 100 || !shownTexts.isEmpty())
            return;
        for (const QLabel* label : window->findChildren<QLabel*>())
            shownTexts.append(label->text());
        ui::pressKey(window, Qt::Key_Escape);
    });
    showMainWindow().mnDel1->trigger();
    ui::settle();
    frmDelDir& form = platform::FormInstance<frmDelDir>::get();
    ui::retype(form.Text1.control(FolderDeletion::PathFieldIndex), big);
    ui::pressKey(form.Text1.control(FolderDeletion::PathFieldIndex), Qt::Key_Return);
    ASSERT_EQ(form.FolderToDelete, big);

    messages.answerYes();
    messages.answerOk();
    ui::clickHolding(form.Command2, Qt::ShiftModifier);
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("フォルダーを削除しています…")));
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("100 / 30000 ファイル")));
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last(), big + QStringLiteral("　の削除を中止しました。30000 ファイルのうち 100 ファイルを削除しました。"));
    EXPECT_EQ(tree.names("work/big").size(), 29900);
    EXPECT_TRUE(platform::FormInstance<frmMarlow>::isLoaded() && mainWindow().isVisible());
}
