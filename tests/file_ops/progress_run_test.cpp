#include "shared/progress_window.h"
#include "shared/run_progress.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace {

// Every run shows its progress window from its first file on; the test acts
// in it once a given number of files is done.
class ProgressRun : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        RunProgress::setTimingForTests(0, 0);
    }
    void TearDown() override
    {
        ProgressWindow::setShownHookForTests(nullptr);
        RunProgress::setTimingForTests(500, 100);
        MainWindowTest::TearDown();
    }
    frmMarlow& open(bool move)
    {
        frmMarlow& form = showMainWindow();
        EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder("work")).failed());
        EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.makeFolder("dst")).failed());
        form.Check1.at<QAbstractButton>(0)->setChecked(move);
        return form;
    }
    void atFilesDone(int filesDone, std::function<void(QWidget* window)> act)
    {
        ProgressWindow::setShownHookForTests(
            [this, filesDone, act](QWidget* window, const RunProgressFigures& figures) {
                owner = window->parentWidget();
                totalBytes = figures.totalBytes;
                for (const QLabel* label : window->findChildren<QLabel*>())
                    shownTexts.append(label->text());
                if (figures.filesDone == filesDone && !acted) {
                    acted = true;
                    act(window);
                }
            });
    }

    QWidget* owner = nullptr;
    qint64 totalBytes = 0;
    QStringList shownTexts;
    bool acted = false;
};

}  // namespace

// A click on 中止 as the user gives it ends the move after the file being copied.
TEST_F(ProgressRun, CancelEndsAMoveWithEveryPlacedFileWholeAndItsSourceGone)
{
    const auto contentOf = [](int file) { return QByteArray(20000 + 997 * file, char('a' + file)); };
    for (int file = 1; file <= 6; ++file)
        tree.writeFile(QStringLiteral("work/f%1.txt").arg(file), contentOf(file));
    tree.writeFile("dst/keep.txt", "keep");
    frmMarlow& form = open(true);
    form.fileList(0)->selectAll();
    form.setText1(3, "p_");
    atFilesDone(2, [](QWidget* window) {
        QWidget* cancel = window->findChild<QPushButton*>(QStringLiteral("cancelButton"));
        ui::sendMouse(cancel, QEvent::MouseButtonPress);
        ui::sendMouse(cancel, QEvent::MouseButtonRelease);
    });
    messages.answerYes();
    messages.answerYes();
    ui::click(form.Command1.at<QPushButton>(0));
    ui::settle();

    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(owner, &form);
    EXPECT_TRUE(shownTexts.contains(QStringLiteral("2 / 6 ファイル")));
    EXPECT_EQ(totalBytes, 6 * 20000 + 997 * (1 + 2 + 3 + 4 + 5 + 6));
    EXPECT_EQ(tree.names("dst"), (QStringList{"keep.txt", "p_f1.txt", "p_f2.txt"}));
    EXPECT_EQ(tree.names("work"), (QStringList{"f3.txt", "f4.txt", "f5.txt", "f6.txt"}));
    for (int file = 1; file <= 6; ++file)
        EXPECT_EQ(tree.readFile(QString(file <= 2 ? "dst/p_f%1.txt" : "work/f%1.txt").arg(file)), contentOf(file)) << file;
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（2 / 6 ファイル）"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Esc cancels as the button does, and ends the deletion from both lists;
// both lists are read again.
TEST_F(ProgressRun, EscapeEndsTheDeletionAfterTheFileBeingDeleted)
{
    for (const char* name : {"work/a.txt", "work/b.txt", "work/c.txt", "work/d.txt", "dst/x.txt"})
        tree.writeFile(name);
    frmMarlow& form = open(false);
    form.fileList(0)->selectAll();
    form.fileList(1)->selectAll();
    tree.writeFile("dst/y.txt");  // listed once the list is read again
    atFilesDone(1, [](QWidget* window) { ui::pressKey(window, Qt::Key_Escape); });
    messages.answerYes();
    messages.answerOk();
    ui::click(form.Command1.at<QPushButton>(1));

    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(tree.names("work"), (QStringList{"b.txt", "c.txt", "d.txt"}));
    EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{"x.txt", "y.txt"}));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（1 / 4 ファイル）"));
}
