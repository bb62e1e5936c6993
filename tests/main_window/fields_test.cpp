#include "shared/qt_folder_picker.h"
#include "shared/scripted_folder_picker.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolTip>

namespace {

class MainWindowFields : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        tree.writeFile("work/a.txt");
        tree.writeFile("work/b.jpg");
        form = &showMainWindow();
    }

    QWidget* field(int index) const { return form->Text1.control(index); }

    ScriptedFolderPicker picker;
    frmMarlow* form = nullptr;
};

}  // namespace

// The Enter that leaves a folder field checks the folder it names, and the
// line break it leaves there is ignored then and on the next visit; the list
// turned to the new folder drops the names selected in the old one. Leaving
// the file type filters the source list only.
TEST_F(MainWindowFields, EnterWalksTheFieldsToTheCopyButtonCheckingWhatTheyHold)
{
    const QString photos = tree.path("photos");
    tree.writeFile("photos/a.txt");
    tree.writeFile("photos/d.jpg");
    form->fileList(0)->setSelected(0, true);  // work/a.txt, not photos/a.txt
    ui::retype(field(1), photos);
    for (const int index : {1, 0, 2, 3, 4}) {
        EXPECT_EQ(ui::focused(), field(index)) << index;
        if (index == 0)
            form->setText1(0, QStringLiteral("*.txt"));
        ui::pressKey(field(index), Qt::Key_Return);
    }
    EXPECT_EQ(ui::focused(), form->Command1.control(0));
    EXPECT_EQ(ui::entries(form->fileList(0)), QStringList{"a.txt"});
    EXPECT_TRUE(ui::selectedEntries(form->fileList(0)).isEmpty());
    EXPECT_EQ(ui::entries(form->fileList(1)), (QStringList{"a.txt", "b.jpg"}));
    messages.answerNo();
    ui::pressKey(form->Command1.control(0), Qt::Key_Return);
    ui::focusByUser(field(1));
    ui::focusByUser(field(0));
    EXPECT_EQ(QStringList({form->SourceFolder, form->text1(1)}), QStringList({photos, photos}));
    EXPECT_EQ(messages.count(), 1);  // the copy's question only
}

TEST_F(MainWindowFields, ArrowKeysMoveOnlyAsListedAndShiftMeansShiftAlone)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const struct { int from; Qt::Key key; Qt::KeyboardModifiers modifiers; QWidget* expected; } cases[] = {
        {0, Qt::Key_Up, none, field(1)}, {4, Qt::Key_Up, ctrl, field(3)}, {1, Qt::Key_Down, none, field(0)},
        {3, Qt::Key_Down, shift, field(4)}, {4, Qt::Key_Down, none, form->Command1.control(0)},
        {1, Qt::Key_Right, shift, field(2)}, {2, Qt::Key_Left, shift, field(1)},
        {1, Qt::Key_Right, ctrl | shift, field(1)}, {1, Qt::Key_Right, none, field(1)},
        {0, Qt::Key_Right, shift, field(0)}};
    for (const auto& c : cases) {
        ui::focusByUser(field(c.from));
        ui::pressKeyHolding(field(c.from), c.key, c.modifiers);
        EXPECT_EQ(ui::focused(), c.expected) << "key " << c.key << " in field " << c.from;
    }
}

// A destination typed into its field is checked on leaving it: a missing one
// is created with its parents on Yes; on No the stored folder comes back and
// the field keeps the focus. One too long for its field shows its end after a
// "…", the whole path in its tool tip, and its text stays whole.
TEST_F(MainWindowFields, ATypedFolderIsCheckedOnLeavingTheField)
{
    const QString target = tree.path(QStringLiteral("写真の整理/2024年/05月/家族旅行_北海道_札幌_小樽_函館/カメラ_二台目/未整理"));
    const struct { QString typed; platform::MessageAnswer answer; QString folderAfter; } cases[] = {
        {tree.path("declined"), platform::MessageAnswer::No, workFolder},
        {target, platform::MessageAnswer::Yes, target},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        messages.clear();
        messages.answer(c.answer);
        ui::focusByUser(field(2));
        ui::retype(field(2), c.typed);
        ui::focusByUser(field(3));
        EXPECT_EQ(messages.texts(), QStringList{c.typed + QStringLiteral(" を作成しますか。")});
        EXPECT_EQ(QStringList({form->text1(2), form->DestFolder, form->fileList(1)->path()}),
                  QStringList({c.folderAfter, c.folderAfter, c.folderAfter}));
        const bool accepted = c.typed == c.folderAfter;
        EXPECT_EQ(QFileInfo::exists(c.typed), accepted);
        EXPECT_EQ(ui::focused(), field(accepted ? 3 : 2));
    }
    QWidget* view = static_cast<QPlainTextEdit*>(field(2))->viewport();
    QHelpEvent tip(QEvent::ToolTip, QPoint(4, 4), view->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(view, &tip);
    EXPECT_EQ(QToolTip::text(), target);  // only an elided path has one
}

// Neither a menu nor the toolkit's folder dialog takes the focus, so a
// half-typed folder is not checked as they open. A pick is checked and moves
// the focus on; a cancel restores the stored folder, checked again. Fields
// that hold no folder open no picker.
TEST_F(MainWindowFields, APickedFolderIsCheckedAndMovesTheFocusOnACancelRestoresTheStoredOne)
{
    const QString photos = tree.makeFolder("photos");
    tree.writeFile("photos/p.jpg");
    tree.writeFile("photos/q.txt");
    form->setText1(0, QStringLiteral("*.jpg"));
    ui::focusByUser(field(1));
    ui::retype(field(1), QStringLiteral("/half typed"));
    auto* bar = form->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    for (QAction* entry : bar->actions()) {
        bar->setActiveAction(entry);
        ui::settle();
        EXPECT_TRUE(entry->menu()->isVisible());
        entry->menu()->hide();
        ui::settle();
        EXPECT_EQ(ui::focused(), field(1)) << entry->text().toStdString();
    }
    EXPECT_EQ(form->text1(1), QStringLiteral("/half typed"));

    MarlowFuncUtility::QtFolderPicker dialogPicker;
    MarlowFuncUtility::setFolderPicker(&dialogPicker);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(tree.root());
        dialog->selectFile(photos);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ui::doubleClick(field(1));
    MarlowFuncUtility::setFolderPicker(&picker);
    EXPECT_EQ(form->SourceFolder, photos);
    EXPECT_EQ(ui::entries(form->fileList(0)), QStringList{"p.jpg"});
    EXPECT_EQ(ui::focused(), field(0));

    tree.writeFile("photos/r.jpg");
    ui::retype(field(1), QStringLiteral("/half typed"));
    picker.cancel();
    ui::doubleClick(field(1));
    EXPECT_EQ(form->text1(1), photos);
    EXPECT_EQ(ui::entries(form->fileList(0)), (QStringList{"p.jpg", "r.jpg"}));
    EXPECT_EQ(ui::focused(), field(1));
    for (int index : {0, 3, 4})
        ui::doubleClick(field(index));
    EXPECT_TRUE(messages.texts().isEmpty());
}
