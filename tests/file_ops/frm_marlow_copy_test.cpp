#include "main_window/frm_marlow.h"
#include "platform/control_array.h"
#include "platform/process.h"
#include "rename/frm_marlow_a.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString CopyQuestion = QStringLiteral("設定した内容でコピーしますか？");
const QString PreviewQuestion = QStringLiteral("コピー結果を確認して下さい。実行しますか？");

// Scripted answers, with a look at the window while a question is open.
class WatchedMessages : public ScriptedMessages {
public:
    std::function<void(const QString&)> watcher;
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        if (watcher)
            watcher(text);
        return ScriptedMessages::present(text, buttons);
    }
};

QStringList entriesOf(const QListWidget* list, bool selectedOnly)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row) {
        if (!selectedOnly || list->item(row)->isSelected())
            names.append(list->item(row)->text());
    }
    return names;
}

class MainWindowCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        platform::setProgramFolderOverride(tree.makeFolder("program"));
        platform::setProgramEnder([] {});
        QDir::setCurrent(tree.makeFolder("src"));
        tree.makeFolder("dst");
    }
    void TearDown() override
    {
        platform::FormInstance<frmMarlowA>::unload();
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
        platform::setProgramEnder(nullptr);
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }

    frmMarlow& load()
    {
        frmMarlow& form = platform::FormInstance<frmMarlow>::get();
        form.fileList(1)->setPath(tree.path("dst"));
        form.DestFolder = tree.path("dst");
        ui::showActive(&form);
        return form;
    }
    void press(frmMarlow& form, int button)
    {
        form.Command1.at<QPushButton>(button)->click();
        ui::settle();
    }

    TempTree tree;
    WatchedMessages messages;
    QString previousFolder_;
};

}  // namespace

TEST_F(MainWindowCopy, TheButtonsWriteTheirHints)
{
    frmMarlow& form = load();
    form.Command1_GotFocus(1);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("指定されたファイルを削除します。"));
    form.Command1_GotFocus(0);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("指定された条件でコピーを開始します。"));
    form.Command1_GotFocus(2);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("指定された条件でコピーを開始します。"));
}

TEST_F(MainWindowCopy, CopyShowsThePreviewThenMovesTheSelectedFiles)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("src/") + name, name);
    tree.writeFile("dst/old.txt");
    frmMarlow& form = load();
    form.fileList(0)->setSelected(0, true);
    form.fileList(0)->setSelected(2, true);
    form.setText1(3, "p_");
    QStringList previewed, marked;
    bool destinationListHidden = false;
    messages.watcher = [&](const QString& text) {
        if (text != PreviewQuestion)
            return;
        previewed = entriesOf(form.List1, false);
        marked = entriesOf(form.List1, true);
        destinationListHidden = form.fileList(1)->isHidden() && form.List1->isVisible();
    };
    messages.answerYes();
    messages.answerYes();
    press(form, 0);

    EXPECT_EQ(messages.texts(), (QStringList{CopyQuestion, PreviewQuestion}));
    EXPECT_TRUE(destinationListHidden);
    EXPECT_EQ(previewed, (QStringList{"old.txt", "p_a.txt", "p_c.txt"}));
    EXPECT_EQ(marked, (QStringList{"p_a.txt", "p_c.txt"}));
    EXPECT_EQ(tree.readFile("dst/p_c.txt"), "c.txt");
    EXPECT_EQ(tree.names("src"), QStringList{"b.txt"});
    EXPECT_TRUE(form.List1->isHidden());
    EXPECT_TRUE(form.fileList(1)->isVisible());
    EXPECT_EQ(entriesOf(form.fileList(0), false), QStringList{"b.txt"});
    EXPECT_EQ(entriesOf(form.fileList(1), false), (QStringList{"old.txt", "p_a.txt", "p_c.txt"}));
    EXPECT_EQ(platform::focusedControl(), form.Text1.control(3));
}

TEST_F(MainWindowCopy, AClashLeavesThePreviewShownWithTheClashingNameMarked)
{
    tree.writeFile("src/a.txt");
    tree.writeFile("dst/A.txt", "theirs");
    frmMarlow& form = load();
    form.fileList(0)->setSelected(0, true);
    form.Check1.at<QAbstractButton>(1)->setChecked(false);
    messages.answerYes();
    press(form, 0);
    EXPECT_EQ(messages.last(), QStringLiteral("同一ファイルがあります。a.txt  のコピーできません。"));
    EXPECT_TRUE(form.List1->isVisible());
    EXPECT_TRUE(form.fileList(1)->isHidden());
    EXPECT_EQ(entriesOf(form.List1, true), QStringList{"A.txt"});
    EXPECT_EQ(tree.readFile("dst/A.txt"), "theirs");
}

TEST_F(MainWindowCopy, SelectingAllOfABigFolderMarksEveryNewName)
{
    constexpr int Count = 1000;
    for (int i = 0; i < Count; ++i)
        tree.writeFile(QStringLiteral("src/f%1.txt").arg(i, 4, 10, QLatin1Char('0')));
    tree.writeFile("dst/zz.txt");
    frmMarlow& form = load();
    int previewRows = 0, previewMarks = 0;
    messages.watcher = [&](const QString& text) {
        if (text == PreviewQuestion) {
            previewRows = form.List1->count();
            previewMarks = int(form.List1->selectionModel()->selectedRows().size());
        }
    };
    messages.answerYes();
    messages.answerNo();
    form.RunBatchCopy();
    EXPECT_EQ(form.fileList(0)->selectedCount(), Count);
    EXPECT_EQ(previewRows, Count + 1);
    EXPECT_EQ(previewMarks, Count);
    EXPECT_EQ(tree.names("dst"), QStringList{"zz.txt"});
    EXPECT_TRUE(form.List1->isHidden());
}

TEST_F(MainWindowCopy, DeleteRemovesTheSelectedFilesAndResetsTheRules)
{
    tree.writeFile("src/a.txt");
    tree.writeFile("src/b.txt");
    frmMarlow& form = load();
    form.setText1(3, "pre");
    form.fileList(0)->setSelected(1, true);
    messages.answerYes();
    messages.answerOk();
    press(form, 1);
    EXPECT_EQ(tree.names("src"), QStringList{"a.txt"});
    EXPECT_EQ(entriesOf(form.fileList(0), false), QStringList{"a.txt"});
    EXPECT_EQ(form.text1(3), "");
    EXPECT_EQ(platform::focusedControl(), form.Text1.control(3));
}

TEST_F(MainWindowCopy, ARefusedRuleSetCopiesNothingAndSendsTheFocusToTheFaultyField)
{
    tree.writeFile("src/a.txt");
    frmMarlow& form = load();
    form.fileList(0)->setSelected(0, true);
    form.selectOption(form.Option1, 1);
    ui::settle();
    press(form, 0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("新ファイル名、接頭語、接尾語のいずれかを入力して下さい。")});
    EXPECT_EQ(platform::focusedControl(), form.Text1.control(3));

    messages.clear();
    form.selectOption(form.Option1, 2);
    ui::settle();
    press(form, 0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("削除開始桁は、１以上です。")});
    EXPECT_EQ(platform::focusedControl(), platform::FormInstance<frmMarlowA>::get().Text1.control(10));
    EXPECT_EQ(tree.names("dst"), QStringList{});
    EXPECT_EQ(tree.names("src"), QStringList{"a.txt"});
}
