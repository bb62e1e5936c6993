#include "file_ops/trash_messages.h"
#include "platform/file_name_codec.h"
#include "support/main_window_test.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"
#include "support/ui_helpers.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <functional>

#include <unistd.h>

namespace {

using Answer = platform::MessageAnswer;
using Press = std::function<void(frmMarlow&)>;

const Press Click = [](frmMarlow& form) { ui::click(form.Command1.at<QPushButton>(1)); };
const Press ShiftClick = [](frmMarlow& form) { ui::clickHolding(form.Command1.at<QPushButton>(1), Qt::ShiftModifier); };
const Press DeleteKey = [](frmMarlow& form) { ui::pressKey(form.fileList(0), Qt::Key_Delete); };
const Press ShiftDeleteKey = [](frmMarlow& form) { ui::pressKey(form.fileList(1), Qt::Key_Delete, Qt::ShiftModifier); };
const Press ShiftEnter = [](frmMarlow& form) {
    platform::focusControl(form.Command1.control(1));
    ui::pressKeyHolding(form.Command1.control(1), Qt::Key_Return, Qt::ShiftModifier);
};

}  // namespace

// 削除 puts the selected files of both lists into the trash, where the
// desktop lists them under their exact paths, and the status line counts
// them. Shift with the button, with Enter on it or with the Delete key in a
// list deletes for good. Where a list's folder reaches no trash, the user is
// asked once, before anything is deleted, whether to delete for good.
TEST_F(MainWindowTest, DeleteSendsTheSelectedFilesToTheTrash)
{
    const struct {
        const char* what;
        Press press;
        bool destinationWithoutTrash;
        QVector<Answer> toTrashQuestion;  // empty: not asked
        QStringList trashed, deletedForGood;
    } cases[] = {
        {"button", Click, false, {}, {"a.txt", "c.txt"}, {}},
        {"Delete key", DeleteKey, false, {}, {"a.txt", "c.txt"}, {}},
        {"Shift and button", ShiftClick, false, {}, {}, {"a.txt", "c.txt"}},
        {"Shift and Delete key", ShiftDeleteKey, false, {}, {}, {"a.txt", "c.txt"}},
        {"Shift and Enter", ShiftEnter, false, {}, {}, {"a.txt", "c.txt"}},
        {"no trash, declined", Click, true, {Answer::No}, {}, {}},
        {"no trash, for good", Click, true, {Answer::Yes}, {"a.txt"}, {"c.txt"}},
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
        tree.writeFile("work/a.txt", "a");
        tree.writeFile("work/b.txt", "b");
        tree.writeFile(destination + "/c.txt", "c");
        frmMarlow& form = showMainWindow();
        form.fileList(0)->setPath(form.SourceFolder = tree.path("work"));
        form.fileList(1)->setPath(form.DestFolder = tree.path(destination));
        form.fileList(0)->setSelected(0, true);
        form.fileList(1)->setSelected(0, true);
        messages.clear();
        messages.answerYes();
        for (const Answer answer : c.toTrashQuestion)
            messages.answer(answer);
        if (c.toTrashQuestion != QVector<Answer>{Answer::No}) {
            messages.answerOk();
            messages.answerOk();
        }

        c.press(form);
        EXPECT_EQ(messages.texts().contains(FileOps::noTrashQuestion()), !c.toTrashQuestion.isEmpty());
        EXPECT_EQ(tree.exists("work/a.txt"), c.trashed.isEmpty() && c.deletedForGood.isEmpty());
        EXPECT_EQ(tree.exists(destination + "/c.txt"), c.toTrashQuestion == QVector<Answer>{Answer::No});
        EXPECT_TRUE(tree.exists("work/b.txt"));
        QMap<QByteArray, QByteArray> inTrash;
        for (const QString& name : c.trashed)
            inTrash.insert(name.toUtf8(), platform::encodeFileName(tree.path((name == "a.txt" ? "work/" : "dst/") + name)));
        EXPECT_EQ(readTrash(platform::encodeFileName(tree.path("data/Trash"))), inTrash);
        EXPECT_EQ(form.Label2->text() == FileOps::trashedStatus(int(c.trashed.size())), !c.trashed.isEmpty());
        unloadAllWindows();
    }
}
