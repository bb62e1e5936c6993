#include "main_window/frm_marlow.h"
#include "platform/process.h"
#include "platform/vb_form.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "shared/qt_folder_picker.h"
#include "shared/scripted_folder_picker.h"
#include "shared/typed_text.h"
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
constexpr quint32 LightYellow = 0xC0FFFF;

const QString SourceHint = QStringLiteral("コピー元フォルダーを指定してください。（ダブルクリックで候補が表示されます。）");
const QString MissingText = QStringLiteral("  が存在しません。フォルダを指定し直して下さい。");

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
        previousFolder_ = QDir::currentPath();
        work_ = tree_.makeFolder("work");
        platform::setProgramFolderOverride(tree_.makeFolder("program"));
        QDir::setCurrent(work_);
        platform::setProgramEnder([] {});
        tree_.writeFile("work/a.txt");
        tree_.writeFile("work/b.jpg");
        form_ = &platform::FormInstance<frmMarlow>::get();
        ui::showActive(form_);
        QObject::connect(form_->Command1.at<QPushButton>(0), &QPushButton::clicked, [this] { ++copyClicks_; });
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

    QWidget* field(int index) const { return form_->Text1.control(index); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    // Types over a field's text as the user would, leaving the cursor at its end.
    void retype(int index, const QString& text)
    {
        form_->setText1(index, text);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(field(index)))
            plain->moveCursor(QTextCursor::End);
    }

    ScriptedMessages messages_;
    ScriptedFolderPicker picker_;
    TempTree tree_;
    QString work_;
    QString previousFolder_;
    frmMarlow* form_ = nullptr;
    int copyClicks_ = 0;
};

}  // namespace

TEST_F(MainWindowFields, EnterWalksTheFieldsToTheCopyButtonWithTheirColoursAndHints)
{
    ASSERT_EQ(focused(), field(1));
    EXPECT_EQ(platform::backColor(field(1)), Focused);
    EXPECT_EQ(form_->Label2->text(), SourceHint);
    EXPECT_EQ(platform::backColor(field(3)), LightYellow);

    const QList<int> path{1, 0, 2, 3, 4};
    const QStringList hints{
        QStringLiteral("ファイルの種類（拡張子）を指定してください。"),
        QStringLiteral("コピー先フォルダーを指定してください。（ダブルクリックで候補が表示されます。）"),
        QStringLiteral("コピー後のファイル名につける接頭語を指定してください。"),
        QStringLiteral("コピー後のファイル名につける接尾辞を指定してください。")};
    for (int step = 0; step < path.size(); ++step) {
        ui::pressKey(field(path[step]), Qt::Key_Return);
        EXPECT_EQ(platform::backColor(field(path[step])), Visited) << "field " << path[step];
        if (step + 1 < path.size()) {
            EXPECT_EQ(focused(), field(path[step + 1])) << "after field " << path[step];
            EXPECT_EQ(platform::backColor(field(path[step + 1])), Focused);
            EXPECT_EQ(form_->Label2->text(), hints[step]);
        }
    }
    EXPECT_EQ(focused(), form_->Command1.control(0));
    EXPECT_EQ(copyClicks_, 0);
    EXPECT_EQ(form_->SourceFolder, work_);
    EXPECT_EQ(form_->DestFolder, work_);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, ArrowKeysMoveOnlyAsListedAndShiftMeansShiftAlone)
{
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* expected;
    };
    QWidget* copy = form_->Command1.control(0);
    const QList<Case> cases{
        {0, Qt::Key_Up, Qt::NoModifier, field(1)},
        {4, Qt::Key_Up, Qt::ControlModifier, field(3)},
        {1, Qt::Key_Down, Qt::NoModifier, field(0)},
        {3, Qt::Key_Down, Qt::ShiftModifier, field(4)},
        {4, Qt::Key_Down, Qt::NoModifier, copy},
        {1, Qt::Key_Right, Qt::ShiftModifier, field(2)},
        {2, Qt::Key_Left, Qt::ShiftModifier, field(1)},
        {2, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, field(2)},
        {1, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, field(1)},
        {1, Qt::Key_Right, Qt::NoModifier, field(1)},
        {0, Qt::Key_Right, Qt::ShiftModifier, field(0)},
        {3, Qt::Key_Left, Qt::ShiftModifier, field(3)},
        {2, Qt::Key_Up, Qt::NoModifier, field(2)},
        {0, Qt::Key_Down, Qt::NoModifier, field(0)},
    };
    for (const Case& c : cases) {
        ui::focusByUser(field(c.from));
        ui::pressKey(field(c.from), c.key, c.modifiers);
        EXPECT_EQ(focused(), c.expected) << "key " << c.key << " in field " << c.from;
    }
    EXPECT_EQ(copyClicks_, 0);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, TheFileListsWriteTheirHints)
{
    ui::focusByUser(form_->File1.control(0));
    EXPECT_EQ(form_->Label2->text(),
              QStringLiteral("コピーまたは削除するファイルを選択してください。（圧縮ファイルの解凍はダブルクリック）"));
    ui::focusByUser(form_->File1.control(1));
    EXPECT_EQ(form_->Label2->text(), QStringLiteral("削除するファイルを選択してください。"));
    EXPECT_EQ(platform::backColor(field(1)), Visited);
}

TEST_F(MainWindowFields, LeavingTheFileTypeFieldFiltersOnlyTheSourceList)
{
    ui::focusByUser(field(0));
    form_->setText1(0, QStringLiteral("*.txt"));
    ui::focusByUser(field(3));
    EXPECT_EQ(form_->fileList(0)->pattern(), "*.txt");
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"a.txt"});
    EXPECT_EQ(form_->fileList(1)->pattern(), "*.*");
    EXPECT_EQ(entries(form_->fileList(1)), (QStringList{"a.txt", "b.jpg"}));
    EXPECT_EQ(platform::backColor(field(0)), Visited);
}

TEST_F(MainWindowFields, BlanksAroundTheSourceAreUndoneWithoutACheck)
{
    retype(1, "  " + work_ + "  ");
    tree_.writeFile("work/c.txt");
    ui::focusByUser(field(0));
    EXPECT_EQ(form_->text1(1), work_);
    // No check ran: the list was not re-read.
    EXPECT_EQ(entries(form_->fileList(0)), (QStringList{"a.txt", "b.jpg"}));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, AMissingSourceIsReportedAndTheFieldGetsThePreviousFolderAndTheFocus)
{
    // Paths compare exactly: a case-only edit names another folder.
    const QString otherCase = tree_.path("WORK");
    retype(1, otherCase);
    ui::focusByUser(field(0));
    EXPECT_EQ(messages_.texts(), QStringList{otherCase + MissingText});
    EXPECT_EQ(form_->text1(1), work_);
    EXPECT_EQ(form_->SourceFolder, work_);
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(platform::backColor(field(1)), Focused);
    EXPECT_EQ(form_->Label2->text(), SourceHint);
    EXPECT_EQ(entries(form_->fileList(0)), (QStringList{"a.txt", "b.jpg"}));
}

TEST_F(MainWindowFields, ACaseOnlyEditToAnExistingFolderSwitchesToIt)
{
    const QString otherCase = tree_.makeFolder("WORK");
    tree_.writeFile("WORK/upper.txt");
    retype(1, otherCase);
    ui::focusByUser(field(0));
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(form_->SourceFolder, otherCase);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"upper.txt"});
}

TEST_F(MainWindowFields, ATrailingEnterInTheSourceFieldIsIgnored)
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
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, AMissingDestinationIsCreatedWithItsParentsOnYes)
{
    const QString target = tree_.path(QStringLiteral("出力/2024"));
    ui::focusByUser(field(2));
    retype(2, target);
    messages_.answerYes();
    ui::pressKey(field(2), Qt::Key_Return);
    EXPECT_EQ(messages_.texts(), QStringList{target + QStringLiteral(" を作成しますか。")});
    EXPECT_TRUE(tree_.exists(QStringLiteral("出力/2024")));
    EXPECT_EQ(form_->DestFolder, target);
    EXPECT_EQ(form_->fileList(1)->path(), target);
    EXPECT_EQ(form_->fileList(1)->listCount(), 0);
    EXPECT_EQ(MarlowFuncUtility::RemoveLineBreaks(form_->text1(2)), target);
    EXPECT_EQ(focused(), field(3));
}

TEST_F(MainWindowFields, DecliningTheDestinationBringsThePreviousOneBackAndKeepsTheFocus)
{
    ui::focusByUser(field(2));
    retype(2, tree_.path("new"));
    messages_.answerNo();
    ui::focusByUser(field(3));
    EXPECT_FALSE(tree_.exists("new"));
    EXPECT_EQ(form_->text1(2), work_);
    EXPECT_EQ(form_->DestFolder, work_);
    EXPECT_EQ(focused(), field(2));
}

TEST_F(MainWindowFields, APickedSourceIsCheckedAndTheFocusMovesToTheFileType)
{
    const QString photos = tree_.makeFolder("photos");
    tree_.writeFile("photos/p.jpg");
    tree_.writeFile("photos/q.txt");
    form_->setText1(0, QStringLiteral("*.jpg"));
    picker_.choose(photos);
    ui::doubleClick(field(1));
    EXPECT_EQ(picker_.count(), 1);
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(form_->text1(1), photos);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"p.jpg"});
    EXPECT_EQ(focused(), field(0));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, APickedDestinationMovesTheFocusToThePrefix)
{
    const QString out = tree_.makeFolder("out");
    ui::focusByUser(field(2));
    picker_.choose(out);
    ui::doubleClick(field(2));
    EXPECT_EQ(form_->DestFolder, out);
    EXPECT_EQ(form_->text1(2), out);
    EXPECT_EQ(focused(), field(3));
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
    EXPECT_EQ(form_->DestFolder, work_);
    EXPECT_EQ(form_->fileList(1)->pattern(), "*.*");
    EXPECT_EQ(entries(form_->fileList(1)), (QStringList{"a.txt", "b.jpg", "new.txt"}));
    EXPECT_EQ(focused(), field(2));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(MainWindowFields, OnlyTheFolderFieldsOfferThePicker)
{
    for (int index : {0, 3, 4})
        ui::doubleClick(field(index));
    EXPECT_EQ(picker_.count(), 0);
}

TEST_F(MainWindowFields, TheToolkitFolderDialogLeavesTheFieldsFocusAlone)
{
    MarlowFuncUtility::QtFolderPicker dialogPicker;
    MarlowFuncUtility::setFolderPicker(&dialogPicker);
    const QString photos = tree_.makeFolder("photos");
    retype(1, QStringLiteral("/half typed"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(tree_.root());
        dialog->selectFile(photos);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ui::doubleClick(field(1));
    MarlowFuncUtility::setFolderPicker(&picker_);
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(form_->text1(1), photos);
    EXPECT_EQ(focused(), field(0));
}

TEST_F(MainWindowFields, ASelectionDoesNotFollowTheListIntoAnotherFolder)
{
    const QString photos = tree_.makeFolder("photos");
    tree_.writeFile("photos/a.txt");
    form_->fileList(0)->setSelected(0, true);
    retype(1, tree_.path("missing"));
    ui::focusByUser(field(0));
    EXPECT_EQ(form_->fileList(0)->selectedCount(), 1);

    retype(1, photos);
    ui::focusByUser(field(0));
    EXPECT_EQ(form_->SourceFolder, photos);
    EXPECT_EQ(entries(form_->fileList(0)), QStringList{"a.txt"});
    EXPECT_EQ(form_->fileList(0)->selectedCount(), 0);
}
