#include "archive/frm_melt.h"
#include "platform/vb_form.h"
#include "support/main_window_test.h"
#include "support/shown_progress.h"
#include "support/ui_helpers.h"
#include "test_archives.h"

#include <QLabel>

using BigMemberWindow = MainWindowTest;

// An archive of one big member: the window shows its name while it is
// written, and Esc stops within it.
TEST_F(BigMemberWindow, ShowsProgressWithinTheMemberAndEscStopsIt)
{
    const QByteArray big(8 * 1024 * 1024, 'b');
    tree.writeFile("work/big.zip", TestArchives::zip({{"big.bin", big, false, true}}));
    frmMarlow& form = showMainWindow();
    form.fileList(0)->refresh();
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
    form.openListedArchive("big.zip");
    ui::settle();

    EXPECT_TRUE(shownBytes > 0 && shownBytes < big.size()) << shownBytes;
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("big.bin")));
    EXPECT_TRUE(tree.names("program/MELT").isEmpty());
    EXPECT_FALSE(platform::FormInstance<FrmMELT>::isLoaded());
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（0 / 1 ファイル）"));
    EXPECT_TRUE(messages.texts().isEmpty());
}
