#include "support/main_window_test.h"
#include "support/ui_helpers.h"

using SelectionAfterRun = MainWindowTest;

// After a run a list keeps a row selected only for the very file that was
// selected, never for another file the run put under its name: Delete would
// take that one.
TEST_F(SelectionAfterRun, ARowStaysSelectedOnlyForTheSameFile)
{
    for (const char* name : {"p1.txt", "p2.txt", "p3.txt", "p4.txt"})
        tree.writeFile(QStringLiteral("work/") + name, name);
    tree.writeFile("src/x.txt", "new");
    tree.writeFile("dst/x.txt", "old");
    tree.writeFile("dst/y.txt");
    frmMarlow& form = showMainWindow();

    // Renumbered in place and moved: p1..p4 become p2..p5.
    form.fileList(0)->selectAll();
    form.Rules.NameRule = 4;  // the second character replaced by a number from 2
    form.Rules.StartFromFront = 2;
    form.Rules.CharCount = 1;
    form.Rules.SerialStart = 2;
    form.Rules.SerialDigits = 1;
    messages.answerYes();
    form.RunBatchCopy();
    EXPECT_EQ(tree.readFile("work/p5.txt"), "p4.txt");
    EXPECT_TRUE(ui::selectedEntries(form.fileList(0)).isEmpty());

    // Copied over a selected file of the destination.
    form.Rules = RuleSet{};
    EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.path("src")).failed());
    EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.path("dst")).failed());
    form.fileList(1)->selectAll();
    messages.answerYes();
    messages.answerYes();  // nothing selected in the source: all of it
    form.RunBatchCopy();
    EXPECT_EQ(tree.readFile("dst/x.txt"), "new");
    EXPECT_EQ(ui::selectedEntries(form.fileList(1)), QStringList{"y.txt"});
}
