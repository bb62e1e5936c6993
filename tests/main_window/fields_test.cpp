#include "main_window/frm_marlow.h"
#include "platform/process.h"
#include "platform/vb_form.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "shared/qt_folder_picker.h"
#include "shared/scripted_folder_picker.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr quint32 Focused = 0xC0E0FF;
constexpr quint32 Visited = 0xC0C000;

const QString SourceHint = QStringLiteral("コピー元フォルダーを指定してください。（ダブルクリックで候補が表示されます。）");

QStringList entries(const platform::FileListBox* list)
{
    QStringList names;
    for (int i = 0; i < list->listCount(); ++i)
        names.append(list->entry(i));
    return names;
}

class MainWindowFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        work_ = tree_.makeFolder("work");
        tree_.writeFile("work/a.txt");
        tree_.writeFile("work/b.jpg");
        platform::setProgramFolderOverride(tree_.makeFolder("program"));
        QDir::setCurrent(work_);
        form_ = &platform::FormInstance<frmMarlow>::get();
        ui::showActive(form_);
        QObject::connect(form_->Command1.at<QPushButton>(0), &QPushButton::clicked, [this] { ++copyClicks_; });
    }
    void TearDown() override
    {
        platform::FormInstance<frmMarlowA>::unload();
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }

    QWidget* field(int index) const { return form_->Text1.control(index); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    // Types over a folder field's text, leaving the cursor at its end.
    void retype(int index, const QString& text)
    {
        form_->setText1(index, text);
        form_->Text1.at<QPlainTextEdit>(index)->moveCursor(QTextCursor::End);
    }

    const QString previousFolder_ = QDir::currentPath();
    ScriptedMessages messages_;
    ScriptedFolderPicker picker_;
    TempTree tree_;
    QString work_;
    frmMarlow* form_ = nullptr;
    int copyClicks_ = 0;
};

}  // namespace

TEST_F(MainWindowFields, EnterWalksTheFieldsToTheCopyButtonWithColoursHintsAndTheFileType)
{
    ASSERT_EQ(focused(), field(1));
    EXPECT_EQ(form_->Label2->text(), SourceHint);
    EXPECT_EQ(platform::backColor(field(3)), 0xC0FFFFu);
    const QList<int> order{1, 0, 2, 3, 4};
    const QStringList hints{QStringLiteral("ファイルの種類（拡張子）を指定してください。"),
                            QStringLiteral("コピー先フォルダーを指定してください。（ダブルクリックで候補が表示されます。）"),
                            QStringLiteral("コピー後のファイル名につける接頭語を指定してください。"),
                            QStringLiteral("コピー後のファイル名につける接尾辞を指定してください。")};
    for (int step = 0; step < order.size(); ++step) {
        EXPECT_EQ(platform::backColor(field(order[step])), Focused);
        if (order[step] == 0)
            form_->setText1(0, QStringLiteral("*.txt"));
        ui::pressKey(field(order[step]), Qt::Key_Return);
        EXPECT_EQ(platform::backColor(field(order[step])), Visited);
        if (step + 1 < order.size()) {
            EXPECT_EQ(focused(), field(order[step + 1])) << "after field " << order[step];
            EXPECT_EQ(form_->Label2->text(), hints[step]);
        }
    }
    EXPECT_EQ(focused(), form_->Command1.control(0));
    EXPECT_EQ(copyClicks_, 0);
    EXPECT_TRUE(messages_.texts().isEmpty());
    // Leaving the file type filtered the source list only.
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"a.txt"});
    EXPECT_EQ(entries(form_->fileList(1)), (QStringList{"a.txt", "b.jpg"}));

    ui::focusByUser(form_->File1.control(0));
    EXPECT_EQ(form_->Label2->text(),
              QStringLiteral("コピーまたは削除するファイルを選択してください。（圧縮ファイルの解凍はダブルクリック）"));
    ui::focusByUser(form_->File1.control(1));
    EXPECT_EQ(form_->Label2->text(), QStringLiteral("削除するファイルを選択してください。"));
}

TEST_F(MainWindowFields, ArrowKeysMoveOnlyAsListedAndShiftMeansShiftAlone)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* expected;
    };
    const QList<Case> cases{
        {0, Qt::Key_Up, none, field(1)},         {4, Qt::Key_Up, Qt::ControlModifier, field(3)},
        {1, Qt::Key_Down, none, field(0)},       {3, Qt::Key_Down, shift, field(4)},
        {4, Qt::Key_Down, none, form_->Command1.control(0)},
        {1, Qt::Key_Right, shift, field(2)},     {2, Qt::Key_Left, shift, field(1)},
        {2, Qt::Key_Right, ctrlShift, field(2)}, {1, Qt::Key_Right, ctrlShift, field(1)},
        {1, Qt::Key_Right, none, field(1)},      {0, Qt::Key_Right, shift, field(0)},
    };
    for (const Case& c : cases) {
        ui::focusByUser(field(c.from));
        ui::pressKey(field(c.from), c.key, c.modifiers);
        EXPECT_EQ(focused(), c.expected) << "key " << c.key << " in field " << c.from;
    }
    EXPECT_EQ(copyClicks_, 0);
}

TEST_F(MainWindowFields, TheSourceFieldUndoesBlanksRefusesAMissingFolderAndDropsTheSelection)
{
    retype(1, "  " + work_ + "  ");
    tree_.writeFile("work/c.txt");
    ui::focusByUser(field(0));
    EXPECT_EQ(form_->text1(1), work_);
    EXPECT_EQ(form_->fileList(0)->listCount(), 2);  // no check, so not re-read

    // Paths compare exactly: a case-only edit names another, here missing, folder.
    ui::focusByUser(field(1));
    retype(1, tree_.path("WORK"));
    ui::focusByUser(field(0));
    EXPECT_EQ(messages_.texts(),
              QStringList{tree_.path("WORK") + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。")});
    EXPECT_EQ(form_->text1(1), work_);
    EXPECT_EQ(form_->SourceFolder, work_);
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(platform::backColor(field(1)), Focused);
    EXPECT_EQ(form_->Label2->text(), SourceHint);

    // A list turned to another folder drops the names selected in the old one.
    tree_.writeFile("photos/a.txt");
    form_->fileList(0)->setSelected(0, true);
    retype(1, tree_.path("photos"));
    ui::focusByUser(field(0));
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"a.txt"});
    EXPECT_EQ(form_->fileList(0)->selectedCount(), 0);
}

TEST_F(MainWindowFields, ATrailingEnterInAFolderFieldIsIgnored)
{
    const QString photos = tree_.makeFolder("photos");
    tree_.writeFile("photos/p.jpg");
    retype(1, photos);
    ui::pressKey(field(1), Qt::Key_Return);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"p.jpg"});
    // The field still took the Enter; the next visit cleans it away quietly.
    ui::focusByUser(field(1));
    ui::focusByUser(field(0));
    EXPECT_EQ(form_->text1(1), photos);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, AMissingDestinationIsCreatedWithItsParentsOnYesAndRestoredOnNo)
{
    const QString target = tree_.path(QStringLiteral("出力/2024"));
    ui::focusByUser(field(2));
    retype(2, tree_.path("declined"));
    messages_.answerNo();
    ui::focusByUser(field(3));
    EXPECT_FALSE(tree_.exists("declined"));
    EXPECT_EQ(form_->text1(2), work_);
    EXPECT_EQ(focused(), field(2));

    retype(2, target);
    messages_.answerYes();
    ui::focusByUser(field(3));
    EXPECT_EQ(messages_.last(), target + QStringLiteral(" を作成しますか。"));
    EXPECT_TRUE(tree_.exists(QStringLiteral("出力/2024")));
    EXPECT_EQ(form_->DestFolder, target);
    EXPECT_EQ(form_->text1(2), target);
    EXPECT_EQ(form_->fileList(1)->path(), target);
    EXPECT_EQ(focused(), field(3));
}

TEST_F(MainWindowFields, APickedFolderIsCheckedAndTheFocusMovesOn)
{
    const QString photos = tree_.makeFolder("photos");
    tree_.writeFile("photos/p.jpg");
    tree_.writeFile("photos/q.txt");
    form_->setText1(0, QStringLiteral("*.jpg"));
    picker_.choose(photos);
    ui::doubleClick(field(1));
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(form_->text1(1), photos);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"p.jpg"});
    EXPECT_EQ(focused(), field(0));

    picker_.choose(photos);
    ui::doubleClick(field(2));
    EXPECT_EQ(form_->DestFolder, photos);
    EXPECT_EQ(focused(), field(3));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, ACancelledPickRestoresTheFieldRechecksTheStoredFolderAndKeepsTheFocus)
{
    retype(1, QStringLiteral("/half typed"));
    form_->setText1(0, QStringLiteral("*.txt"));
    picker_.cancel();
    ui::doubleClick(field(1));
    EXPECT_EQ(form_->text1(1), work_);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"a.txt"});
    EXPECT_EQ(focused(), field(1));

    ui::focusByUser(field(2));
    tree_.writeFile("work/new.txt");
    retype(2, QStringLiteral("/half typed"));
    picker_.cancel();
    ui::doubleClick(field(2));
    EXPECT_EQ(form_->text1(2), work_);
    EXPECT_EQ(entries(form_->fileList(1)), (QStringList{"a.txt", "b.jpg", "new.txt"}));
    EXPECT_EQ(focused(), field(2));

    for (int index : {0, 3, 4})
        ui::doubleClick(field(index));
    EXPECT_EQ(picker_.titles().size(), 2);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, TheToolkitFolderDialogOffersFoldersOnlyAndLeavesTheFocusAlone)
{
    MarlowFuncUtility::QtFolderPicker dialogPicker;
    MarlowFuncUtility::setFolderPicker(&dialogPicker);
    const QString photos = tree_.makeFolder("photos");
    retype(1, QStringLiteral("/half typed"));
    QString title;
    bool foldersOnly = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        foldersOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        dialog->setDirectory(tree_.root());
        dialog->selectFile(photos);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ui::doubleClick(field(1));
    MarlowFuncUtility::setFolderPicker(&picker_);
    EXPECT_EQ(title, QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
    EXPECT_TRUE(foldersOnly);
    EXPECT_TRUE(messages_.texts().isEmpty());  // opening the dialog checked nothing
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(focused(), field(0));
}
