#include "file_ops/run_journal.h"
#include "folder_delete/deletion_guard.h"
#include "folder_delete/folder_deletion.h"
#include "folder_delete/frm_del_dir.h"
#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/fault_injection.h"
#include "platform/file_name_codec.h"
#include "platform/process.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "shared/folder_picker.h"
#include "shared/work_folder_paths.h"
#include "support/main_window_test.h"
#include "support/shown_progress.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>

using platform::FormInstance;

namespace {

const QString Missing = QStringLiteral("  が存在しません。フォルダを指定し直して下さい。");

// The folder dialog as the desktop shows it: a modal window that takes the
// activation and leaves none behind when it closes.
struct ActivatingPicker : MarlowFuncUtility::FolderPicker {
    explicit ActivatingPicker(QString picked) : answer(std::move(picked)) { MarlowFuncUtility::setFolderPicker(this); }
    ~ActivatingPicker() override { MarlowFuncUtility::setFolderPicker(nullptr); }
    QString pickFolder(const QString& /*title*/) override
    {
        platform::ModalDialogScope modal;
        QWidget dialog;
        ui::showActive(&dialog);
        dialog.hide();
        QApplication::setActiveWindow(nullptr);
        ui::settle();
        return answer;
    }
    QString answer;
};

class FolderDeletionWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        tree.writeFile("work/a.txt");
        tree.writeFile("work/sub/s.txt");
        sub = tree.path("work/sub");
        showMainWindow();
    }

    void open()
    {
        mainWindow().mnDel1->trigger();
        ui::settle();
        EXPECT_TRUE(FormInstance<frmDelDir>::isLoaded() && FormInstance<frmDelDir>::get().isVisible());
        form = &FormInstance<frmDelDir>::get();
        ui::showActive(form);
    }
    QWidget* field() const { return form->Text1.control(5); }
    // The folder to delete, the field, then the files listed.
    QStringList shown() const { return QStringList{form->FolderToDelete, form->text1(5)} + ui::entries(form->fileList(2)); }
    void expectFreshMainWindow(const QString& startFolder)
    {
        EXPECT_TRUE(!FormInstance<frmDelDir>::isLoaded() && FormInstance<frmMarlow>::isLoaded() && mainWindow().isVisible());
        EXPECT_EQ(QStringList({mainWindow().text1(1), mainWindow().text1(3)}), QStringList({startFolder, ""}));
        EXPECT_TRUE(mainWindow().isOptionSelected(mainWindow().Option1, 0));
        EXPECT_EQ(endCount, 0);
    }

    QString sub;
    frmDelDir* form = nullptr;
};

}  // namespace

// Opened inside a folder whose name is not UTF-8, the window stands alone,
// shows the folder readably and deletes that very folder, not one that reads
// the same; No and the close box bring back a fresh main window.
TEST_F(FolderDeletionWindow, OpensAloneAndDeletesAFolderByItsExactNameNotByHowItReads)
{
    tree.writeRaw("work/keep\xff\nme/a.txt");
    tree.writeRaw("work/keep\xfe\nme/b.txt");
    const QString target = workFolder + "/" + platform::decodeFileName("keep\xff\nme");
    const QString readable = workFolder + QStringLiteral("/keep\uFFFD\u23CEme");
    ASSERT_TRUE(platform::setCurrentFolder(target));
    mainWindow().setText1(3, QStringLiteral("pre_"));
    mainWindow().selectOption(mainWindow().Option1, 3);
    FormInstance<frmMarlowB>::get().show();
    FormInstance<frmAbout>::get().show();

    open();
    EXPECT_FALSE(FormInstance<frmMarlow>::isLoaded() || FormInstance<frmMarlowB>::isLoaded() ||
                 FormInstance<frmAbout>::isLoaded());
    EXPECT_TRUE(tree.exists("program/TEMP"));  // unloaded by code: no exit clean-up
    EXPECT_EQ(shown(), (QStringList{target, readable, "a.txt"}));
    EXPECT_EQ(ui::focused(), field());
    messages.answerNo();
    ui::click(form->Command2);
    EXPECT_TRUE(tree.existsRaw("work/keep\xff\nme/a.txt"));
    expectFreshMainWindow(readable);

    open();
    form->close();
    ui::settle();
    expectFreshMainWindow(readable);

    open();
    messages.answerYes();
    ui::click(form->Command2);
    const QString question = FolderDeletion::deleteQuestion(readable);
    EXPECT_EQ(messages.texts(), (QStringList{question, question}));
    EXPECT_FALSE(tree.existsRaw("work/keep\xff\nme"));
    EXPECT_EQ(tree.readRaw("work/keep\xfe\nme/b.txt"), "x");
    expectFreshMainWindow(workFolder);
}

// A chosen folder leaves the field looking as it has lost the focus, with
// nothing selected, and Delete shows its focus frame: Enter there asks, and
// Yes sends the tree to the trash.
TEST_F(FolderDeletionWindow, APickLeavesTheFieldLookingLeftAndDeleteFocusedWhereEnterAsksAndYesDeletesTheTree)
{
    tree.writeFile("work/victim/one.txt");
    const QString victim = tree.path("work/victim");
    // The tree takes the current folder with it: the main window starts from what is left.
    QDir::setCurrent(tree.makeFolder("work/victim/inner/deeper"));
    open();
    ActivatingPicker dialog(victim + "  ");
    ui::doubleClick(field());
    ui::showActive(form);  // the desktop gives the window back its activation
    EXPECT_EQ(shown(), (QStringList{victim, victim, "one.txt"}));
    EXPECT_EQ(ui::focused(), form->Command2);
    EXPECT_EQ(platform::backColor(field()), 0xC0C000u);
    EXPECT_FALSE(static_cast<QPlainTextEdit*>(field())->textCursor().hasSelection());
    QStyleOptionButton look;
    look.initFrom(form->Command2);
    EXPECT_TRUE((look.state & QStyle::State_HasFocus) && (look.state & QStyle::State_KeyboardFocusChange));

    messages.answerYes();
    ui::pressKey(form->Command2, Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{FolderDeletion::deleteQuestion(victim)});
    EXPECT_FALSE(tree.exists("work/victim"));
    EXPECT_TRUE(tree.exists("data/Trash/files/victim/one.txt"));  // without Shift: to the trash
    EXPECT_TRUE(tree.exists("work/sub/s.txt"));
    expectFreshMainWindow(workFolder);
}

// Installed, the program keeps its work folders elsewhere: they and its own folder are refused all
// the same, the field keeping the focus.
TEST_F(FolderDeletionWindow, TypedListedAndDriveFoldersAreCheckedAndRefusalsChangeNothing)
{
    tree.writeFile(QStringLiteral("share/" VELDA_PROGRAM_NAME "/manual.html"));
    // Made at the program's start, with its lock.
    ASSERT_TRUE(QDir().mkpath(WorkFolderPaths::pathsFor(programFolder + "/").base));
    unloadAllWindows();
    const QString temp = showMainWindow().TempFolder;
    ASSERT_FALSE(temp.startsWith(programFolder));
    open();
    // "gone" does not exist: only a cleaned path names sub.
    ui::retype(field(), "  " + workFolder + "/./gone/../sub\n");
    ui::pressKey(field(), Qt::Key_Return);
    EXPECT_EQ(ui::focused(), form->Command2);
    EXPECT_EQ(QStringList({form->FolderToDelete, form->Dir1->path()}) + ui::entries(form->fileList(2)),
              (QStringList{sub, sub, "s.txt"}));

    tree.writeFile("work/sub/t.txt");
    const QString locked = tree.makeFolder("locked");
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::PermissionDenied, locked);
    const struct { QString typed, message, fieldAfter; } edits[] = {
        {tree.path("work/SUB"), tree.path("work/SUB") + Missing, sub},  // case-only: another folder
        {QStringLiteral("  "), Missing, sub},
        {locked, platform::errorMessageText(platform::makeError(70, locked)), locked},  // left for mending
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.typed.toStdString());
        messages.clear();
        ui::focusByUser(field());
        ui::retype(field(), edit.typed);
        ui::focusByUser(form->File1.control(2));
        EXPECT_EQ(messages.texts(), QStringList{edit.message});
        // The files are shown afresh for the restored folder.
        EXPECT_EQ(shown(), (QStringList{sub, edit.fieldAfter, "s.txt", "t.txt"}));
        EXPECT_EQ(ui::focused(), field());
    }

    messages.clear();
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::DeviceUnavailable, workFolder);
    Q_EMIT form->Drive1->activated(form->Drive1->currentIndex());
    ui::settle();
    EXPECT_EQ(messages.texts(), QStringList{platform::errorMessageText(platform::makeError(68, workFolder))});
    EXPECT_EQ(form->FolderToDelete, sub);

    // The drive that holds the current folder opens on it.
    Q_EMIT form->Drive1->activated(form->Drive1->currentIndex());
    ui::settle();
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(shown(), (QStringList{workFolder, workFolder, "a.txt"}));

    // No answer is scripted: a question would fail the test.
    ASSERT_TRUE(QDir().mkpath(FileOps::journalFolder()));
    for (const QString& folder : {programFolder, temp, FileOps::journalFolder()}) {
        SCOPED_TRACE(folder.toStdString());
        messages.clear();
        ui::retype(field(), folder);
        ui::focusByUser(form->Command2);
        ui::click(form->Command2);
        EXPECT_EQ(messages.texts(), QStringList{DeletionGuard::programFolderMessage()});
        EXPECT_TRUE(QDir(folder).exists());
        EXPECT_EQ(ui::focused(), field());
    }
}

// Deleted for good (Shift held), the files of one folder are counted first
// and each is a step: Esc stops after the file being deleted, and the user is
// told how much of all went.
TEST_F(FolderDeletionWindow, ThirtyThousandFilesInOneFolderAreCountedFirstAndEscCancels)
{
    const QString big = tree.makeFolder("work/big");
    for (int file = 0; file < 30000; ++file)
        tree.writeFile(QStringLiteral("work/big/f%1").arg(file), {});
    const ShownProgress shown([](QWidget* window, const RunProgressFigures& figures) {
        if (figures.filesDone == 100)
            ui::pressKey(window, Qt::Key_Escape);
    });
    ASSERT_TRUE(platform::setCurrentFolder(big));
    open();
    messages.answerYes();
    messages.answerOk();
    ui::clickHolding(form->Command2, Qt::ShiftModifier);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last(), big + QStringLiteral("　の削除を中止しました。30000 ファイルのうち 100 ファイルを削除しました。"));
    EXPECT_EQ(tree.names("work/big").size(), 29900);
    EXPECT_TRUE(FormInstance<frmMarlow>::isLoaded() && mainWindow().isVisible());
}
