#include "archive/frm_melt.h"
#include "file_ops/trash_messages.h"
#include "platform/file_name_codec.h"
#include "rename/frm_marlow_a.h"
#include "support/main_window_test.h"
#include "support/shown_progress.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <optional>
#include <utility>

#include <unistd.h>

namespace {

using Answer = platform::MessageAnswer;
using Press = std::function<void(frmMarlow&)>;

const QString Confirm = QStringLiteral("コピー結果を確認して下さい。実行しますか？");

// Records the preview, shown in place of the destination list, while the
// run asks to confirm it.
class MainWindowRuns : public MainWindowTest, public platform::MessagePresenter {
protected:
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        const frmMarlow* form = platform::FormInstance<frmMarlow>::ifLoaded();
        if (text == Confirm && form && form->List1->isVisible() && form->fileList(1)->isHidden()) {
            previewed = ui::entries(form->List1);
            marked = ui::selectedEntries(form->List1);
        }
        return messages.present(text, buttons);
    }
    // The lists show the folders source and destination of the tree; move is on.
    frmMarlow& open(bool overwrite, const QString& source = "work", const QString& destination = "dst")
    {
        platform::setMessagePresenter(this);
        frmMarlow& form = showMainWindow();
        EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder(source)).failed());
        EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.makeFolder(destination)).failed());
        form.Check1.at<QAbstractButton>(0)->setChecked(true);
        form.Check1.at<QAbstractButton>(1)->setChecked(overwrite);
        return form;
    }
    void press(frmMarlow& form, int button) { ui::click(form.Command1.at<QPushButton>(button)); }
    // Files named as given, each holding its name.
    void write(const QString& folder, const QStringList& names)
    {
        for (const QString& name : names)
            tree.writeFile(folder + '/' + name, name.toUtf8());
    }
    // Every run shows its progress window from its first file on; the test
    // acts in it once a given number of files is done.
    void atFilesDone(int filesDone, std::function<void(QWidget* window)> act)
    {
        shownProgress.emplace([this, filesDone, act, acted = false](QWidget* window, const RunProgressFigures& figures) mutable {
            progressOwner = window->parentWidget();
            for (const QLabel* label : window->findChildren<QLabel*>())
                progressTexts.append(label->text());
            if (figures.filesDone == filesDone && !std::exchange(acted, true))
                act(window);
        });
    }

    QStringList previewed, marked;
    std::optional<ShownProgress> shownProgress;
    QWidget* progressOwner = nullptr;
    QStringList progressTexts;
};

const Press Click = [](frmMarlow& form) { ui::click(form.Command1.at<QPushButton>(1)); };
const Press ShiftClick = [](frmMarlow& form) { ui::clickHolding(form.Command1.at<QPushButton>(1), Qt::ShiftModifier); };
const Press DeleteKey = [](frmMarlow& form) { ui::pressKey(form.fileList(0), Qt::Key_Delete); };
const Press ShiftDeleteKey = [](frmMarlow& form) { ui::pressKeyHolding(form.fileList(1), Qt::Key_Delete, Qt::ShiftModifier); };

}  // namespace

// A refused rule set copies nothing and sends the focus to the faulty field
// of the rule window.
TEST_F(MainWindowRuns, CopyChecksTheRulesThenMovesTheSelectionUnderThePreviewedNames)
{
    write("work", {"a.txt", "b.txt", "c.txt"});
    tree.writeFile("dst/p_c.txt", "old");
    tree.writeFile("dst/x.txt");
    frmMarlow& form = open(true);
    form.fileList(0)->setSelected(0, true);
    form.fileList(0)->setSelected(2, true);
    form.selectOption(form.Option1, 2);
    ui::settle();
    press(form, 0);
    EXPECT_EQ(platform::focusedControl(), platform::FormInstance<frmMarlowA>::get().Text1.control(10));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(tree.names("dst"), (QStringList{"p_c.txt", "x.txt"}));

    form.selectOption(form.Option1, 0);
    form.setText1(3, "p_");
    messages.clear();
    messages.answerYes();
    messages.answerYes();
    press(form, 0);
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("設定した内容でコピーしますか？"), Confirm}));
    EXPECT_EQ(previewed, (QStringList{"p_c.txt", "x.txt", "p_a.txt"}));
    EXPECT_EQ(marked, (QStringList{"p_c.txt", "p_a.txt"}));
    EXPECT_EQ(tree.readFile("dst/p_c.txt"), "c.txt");
    EXPECT_TRUE(form.List1->isHidden() && form.fileList(1)->isVisible());
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList{"b.txt"});
    EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{"p_a.txt", "p_c.txt", "x.txt"}));
    EXPECT_EQ(platform::focusedControl(), form.Text1.control(3));
}

// 削除 puts the selected files of both lists into the trash, where the
// desktop lists them under their exact paths, and the status line counts
// them. Shift with the button or with the Delete key in a list deletes for
// good. Where a list's folder reaches no trash, the user is asked once,
// before anything is deleted, whether to delete for good.
TEST_F(MainWindowRuns, DeleteSendsTheSelectedFilesToTheTrash)
{
    const struct {
        const char* what;
        Press press;
        bool destinationWithoutTrash;  // then asked whether to delete for good
        QVector<Answer> answers;
        QStringList trashed, left;  // left: in the source and destination folders
    } cases[] = {
        {"Delete key", DeleteKey, false, {Answer::Yes, Answer::Ok, Answer::Ok}, {"a.txt", "c.txt"}, {"b.txt"}},
        {"Shift and button", ShiftClick, false, {Answer::Yes, Answer::Ok, Answer::Ok}, {}, {"b.txt"}},
        {"Shift and Delete key", ShiftDeleteKey, false, {Answer::Yes, Answer::Ok, Answer::Ok}, {}, {"b.txt"}},
        {"no trash, declined", Click, true, {Answer::Yes, Answer::No}, {}, {"a.txt", "b.txt", "c.txt"}},
        {"no trash, for good", Click, true, {Answer::Yes, Answer::Yes, Answer::Ok, Answer::Ok}, {"a.txt"}, {"b.txt"}},
    };
    const QByteArray uid = QByteArray::number(::geteuid());
    TestMount volume(tree, TestMount::Kind::Tmpfs, "vol");
    ASSERT_TRUE(!volume.mounted() || QFile::link("elsewhere", tree.path("vol/.Trash-" + uid)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.destinationWithoutTrash && !volume.mounted())
            continue;  // no mount possible here
        tree.removeRaw("data/Trash");
        const QString destination = c.destinationWithoutTrash ? "vol/dst" : "dst";
        write("work", {"a.txt", "b.txt"});
        write(destination, {"c.txt"});
        frmMarlow& form = open(false, "work", destination);
        form.fileList(0)->setSelected(0, true);
        form.fileList(1)->setSelected(0, true);
        messages.clear();
        for (const Answer answer : c.answers)
            messages.answer(answer);

        c.press(form);
        EXPECT_EQ(messages.texts().contains(FileOps::noTrashQuestion()), c.destinationWithoutTrash);
        EXPECT_EQ(tree.names("work") + tree.names(destination), c.left);
        QMap<QByteArray, QByteArray> inTrash;
        for (const QString& name : c.trashed)
            inTrash.insert(name.toUtf8(), platform::encodeFileName(tree.path((name == "a.txt" ? "work/" : "dst/") + name)));
        EXPECT_EQ(readTrash(platform::encodeFileName(tree.path("data/Trash"))), inTrash);
        EXPECT_EQ(form.Label2->text() == FileOps::trashedStatus(int(c.trashed.size())), !c.trashed.isEmpty());
        unloadAllWindows();
    }
}

// Each list is deleted after a question of its own. A name is used as listed:
// " a.txt" trimmed would be a.txt, which is read-only. A file that cannot be
// deleted is reported and ends the deletion from its list only.
TEST_F(MainWindowRuns, DeleteAsksForEachListAndUsesEveryNameAsListed)
{
    for (const char* name : {"work/ a.txt", "work/a.txt", "work/b.txt", "dst/a.txt", "dst/a_gone.txt", "dst/b.txt"})
        tree.writeFile(name);
    tree.setReadOnly("work/a.txt");
    frmMarlow& form = open(true);
    form.setText1(3, "pre");
    form.fileList(0)->selectAll();
    form.fileList(1)->selectAll();
    messages.answerNo();
    press(form, 1);
    EXPECT_EQ(form.text1(3), "pre");

    messages.answerYes();
    messages.answerOk();
    messages.answerCancel();
    press(form, 1);
    EXPECT_EQ(ui::entries(form.fileList(0)), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(tree.names("dst").size(), 3);
    EXPECT_EQ(form.text1(3), "");
    EXPECT_EQ(platform::focusedControl(), form.Text1.control(3));

    form.fileList(0)->clearSelection();
    QFile::remove(tree.path("dst/a_gone.txt"));
    messages.answerYes();
    messages.answerOk();
    press(form, 1);
    EXPECT_TRUE(tree.names("dst").isEmpty());
    const QString question = QStringLiteral("選択したファイルを削除しますか？");
    const QString destinationQuestion = QStringLiteral("コピー先ファイル一覧より、指定のファイルを削除します。");
    EXPECT_EQ(messages.texts(), (QStringList{question, question, QStringLiteral("選択したファイル群より、指定のファイルを削除します。"),
                                             platform::errorMessageText(platform::makeError(75)) + QChar(13) + tree.path("work/a.txt"),
                                             destinationQuestion, question, destinationQuestion}));
}

// One numbering runs through the source files, then the shown archive
// contents, which a move leaves in place.
TEST_F(MainWindowRuns, NumberedNamesAreWrittenAsPreviewed)
{
    write("work", {"a.txt", "B.txt", "c.txt"});
    tree.writeFile("dst/old.txt");
    tree.writeFile("MELT/m.txt", "member");
    frmMarlow& form = open(false);
    FrmMELT& contents = platform::FormInstance<FrmMELT>::get();
    contents.show();
    EXPECT_FALSE(contents.fileList()->setPath(tree.path("MELT")).failed());
    contents.fileList()->setSelected(0, true);
    form.fileList(0)->selectAll();
    form.Rules.NameRule = 4;
    form.Rules.StartFromFront = 1;
    form.Rules.CharCount = 1;
    form.Rules.SerialStart = 7;
    form.Rules.SerialDigits = 2;
    form.Rules.SerialNumber = 40;
    messages.answerYes();
    form.RunBatchCopy();
    EXPECT_EQ(previewed, (QStringList{"old.txt", "07.txt", "08.txt", "09.txt", "10.txt"}));
    EXPECT_EQ(tree.names("dst"), (QStringList{"07.txt", "08.txt", "09.txt", "10.txt", "old.txt"}));
    EXPECT_EQ(tree.readFile("dst/08.txt"), "B.txt");
    EXPECT_EQ(tree.readFile("dst/10.txt"), "member");
    EXPECT_TRUE(tree.names("work").isEmpty());
    EXPECT_EQ(tree.readFile("MELT/m.txt"), "member");
}

// Without overwriting, a new name held by a file or by another new name ends
// the run at its preview, the clash marked; so does an unsafe name, even
// with overwriting.
TEST_F(MainWindowRuns, AClashOrAnUnsafeNameEndsTheRunBeforeAnythingIsCopied)
{
    write("work", {"a.txt", "b.txt"});
    tree.writeFile("dst/Same.txt", "old");
    frmMarlow& form = open(false);
    form.fileList(0)->selectAll();
    form.Rules.NameRule = 1;
    form.Rules.RuleText = "Same";
    const auto runShows = [&](const QStringList& texts, const QStringList& preview, const QStringList& marked) {
        messages.clear();
        form.RunBatchCopy();
        EXPECT_EQ(messages.texts(), texts);
        EXPECT_EQ(form.List1->isVisible(), !preview.isEmpty());
        EXPECT_EQ(ui::entries(form.List1), preview);
        EXPECT_EQ(ui::selectedEntries(form.List1), marked);
        EXPECT_EQ(tree.names(), (QStringList{"dst", "program", "work"}));
        EXPECT_EQ(tree.names("work"), (QStringList{"a.txt", "b.txt"}));
    };
    const QString clash = QStringLiteral("同一ファイルがあります。Same.txt  のコピーできません。");
    runShows({clash}, {"Same.txt"}, {"Same.txt"});
    QFile::rename(tree.path("dst/Same.txt"), tree.path("dst/keep.txt"));
    runShows({clash}, {"keep.txt", "Same.txt"}, {"Same.txt"});
    form.Check1.at<QAbstractButton>(1)->setChecked(true);
    form.Rules.Prefix = "../";
    runShows({QStringLiteral("a.txt  のコピー後のファイル名「../Same.txt」は使用できません。コピーを中止します。")}, {}, {});
}

// A run stops after the file at hand: at a click on 中止 as the user gives
// it; at Esc, which ends a deletion from both lists, both read again; at a
// moved source that cannot be deleted, named in the status line. The
// destination list shows what was placed; what a stop leaves on disk is the
// runs' own tests.
TEST_F(MainWindowRuns, ARunStopsAfterTheFileAtHand)
{
    write("work", {"f1.txt", "f2.txt", "f3.txt", "f4.txt", "f5.txt", "f6.txt"});
    tree.writeFile("dst/keep.txt", "keep");
    frmMarlow& form = open(false);
    form.fileList(0)->selectAll();
    form.setText1(3, "p_");
    atFilesDone(2, [](QWidget* window) {
        QWidget* cancel = window->findChild<QPushButton*>(QStringLiteral("cancelButton"));
        ui::sendMouse(cancel, QEvent::MouseButtonPress);
        ui::sendMouse(cancel, QEvent::MouseButtonRelease);
    });
    messages.answerYes();
    messages.answerYes();
    press(form, 0);
    ui::settle();
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(progressOwner, &form);
    EXPECT_TRUE(progressTexts.contains(QStringLiteral("2 / 6 ファイル")));
    EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{"keep.txt", "p_f1.txt", "p_f2.txt"}));
    EXPECT_EQ(tree.names("work"), (QStringList{"f3.txt", "f4.txt", "f5.txt", "f6.txt"}));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（2 / 6 ファイル）"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    form.fileList(0)->selectAll();
    form.fileList(1)->selectAll();
    tree.writeFile("dst/y.txt");  // listed once the list is read again
    atFilesDone(1, [](QWidget* window) { ui::pressKey(window, Qt::Key_Escape); });
    messages.clear();
    messages.answerYes();
    messages.answerOk();
    press(form, 1);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(tree.names("work"), (QStringList{"f4.txt", "f5.txt", "f6.txt"}));
    EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{"keep.txt", "p_f1.txt", "p_f2.txt", "y.txt"}));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("中止しました。（1 / 4 ファイル）"));

    tree.setReadOnly("work/f5.txt");
    form.fileList(0)->selectAll();
    messages.answerYes();
    form.RunBatchCopy();  // the deletion reset the prefix
    EXPECT_EQ(ui::entries(form.fileList(1)), (QStringList{"f4.txt", "f5.txt", "keep.txt", "p_f1.txt", "p_f2.txt", "y.txt"}));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("f5.txt　　をコピー中です。"));
}
