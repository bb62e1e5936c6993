#include "archive/frm_melt.h"
#include "folder_delete/deletion_guard.h"
#include "folder_delete/frm_del_dir.h"
#include "main_window/frm_marlow.h"
#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/fault_injection.h"
#include "platform/file_list_box.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "shared/scripted_folder_picker.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using platform::FormInstance;

namespace {

const QString Question = QStringLiteral("　を削除します。ファイル及び下位のフォルダーもすべて削除します。よろしいか？");
const QString Hint = QStringLiteral("削除フォルダーを指定してください。（ダブルクリックで候補を表示。）");

QStringList entries(const platform::FileListBox* list)
{
    QStringList names;
    for (int i = 0; i < list->listCount(); ++i)
        names.append(list->entry(i));
    return names;
}

class FolderDeletionWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        tree.writeFile("work/a.txt");
        tree.writeFile("work/sub/s.txt");
        sub_ = tree.path("work/sub");
        showMainWindow();
    }
    void TearDown() override
    {
        FormInstance<frmDelDir>::unload();
        platform::clearInjectedFaults();
        MainWindowTest::TearDown();
    }

    frmDelDir& open()
    {
        mainWindow().mnDel1->trigger();
        ui::settle();
        EXPECT_TRUE(FormInstance<frmDelDir>::isLoaded());
        form_ = &FormInstance<frmDelDir>::get();
        ui::showActive(form_);
        return *form_;
    }
    QWidget* field() const { return form_->Text1.control(5); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void retype(const QString& text)
    {
        form_->setText1(5, text);
        form_->Text1.at<QPlainTextEdit>(5)->moveCursor(QTextCursor::End);
    }
    void pickDrive(const QString& folder)
    {
        const int row = form_->Drive1->findData(platform::DriveListBox::driveOf(folder));
        ASSERT_GE(row, 0);
        form_->Drive1->setCurrentIndex(row);
        Q_EMIT form_->Drive1->activated(row);
        ui::settle();
    }
    void openInFolderList(const QString& folder)
    {
        for (int row = 0; row < form_->Dir1->count(); ++row) {
            if (form_->Dir1->folderAt(row) == folder) {
                form_->Dir1->openEntry(row);
                ui::settle();
                return;
            }
        }
        ADD_FAILURE() << "not in the folder list: " << folder.toStdString();
    }
    // The main window came back as at program start.
    void expectFreshMainWindow(const QString& startFolder)
    {
        EXPECT_FALSE(FormInstance<frmDelDir>::isLoaded());
        ASSERT_TRUE(FormInstance<frmMarlow>::isLoaded());
        frmMarlow& main = FormInstance<frmMarlow>::get();
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(main.text1(1), startFolder);
        EXPECT_EQ(main.SourceFolder, startFolder);
        EXPECT_EQ(main.text1(3), "");
        EXPECT_TRUE(main.isOptionSelected(main.Option1, 0));
        EXPECT_EQ(endCount, 0);
    }

    ScriptedFolderPicker picker_;
    QString sub_;
    frmDelDir* form_ = nullptr;
};

}  // namespace

TEST_F(FolderDeletionWindow, OpensAloneOnTheCurrentFolderAndNoBringsBackAFreshMainWindow)
{
    frmMarlow& main = FormInstance<frmMarlow>::get();
    main.setText1(3, QStringLiteral("pre_"));
    main.selectOption(main.Option1, 3);
    FormInstance<frmMarlowB>::get().show();
    FormInstance<FrmMELT>::get().show();
    FormInstance<frmAbout>::get().show();
    ui::settle();

    frmDelDir& form = open();
    EXPECT_FALSE(FormInstance<frmMarlow>::isLoaded());
    EXPECT_FALSE(FormInstance<frmMarlowA>::isLoaded());
    EXPECT_FALSE(FormInstance<frmMarlowB>::isLoaded());
    EXPECT_FALSE(FormInstance<FrmMELT>::isLoaded());
    EXPECT_FALSE(FormInstance<frmAbout>::isLoaded());
    // Unloaded by code: the work folders stay and the program goes on.
    EXPECT_TRUE(tree.exists("program/TEMP"));
    EXPECT_EQ(endCount, 0);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("フォルダーの削除窓"));
    EXPECT_EQ(form.FolderToDelete, workFolder);
    EXPECT_EQ(form.text1(5), workFolder);
    EXPECT_EQ(form.Dir1->path(), workFolder);
    EXPECT_EQ(form.Drive1->drive(), platform::DriveListBox::driveOf(workFolder));
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"a.txt"});
    EXPECT_EQ(focused(), field());
    EXPECT_EQ(form.Label2->text(), Hint);
    EXPECT_EQ(platform::backColor(field()), 0xC0E0FFu);

    messages.answerNo();
    form.Command2->click();
    ui::settle();
    EXPECT_EQ(messages.texts(), QStringList{workFolder + Question});
    EXPECT_TRUE(tree.exists("work/sub/s.txt"));
    expectFreshMainWindow(workFolder);
}

TEST_F(FolderDeletionWindow, APickLeavesTheFocusOnDeleteWhereEnterAsksAndYesDeletesTheTree)
{
    tree.writeFile("work/victim/one.txt");
    tree.writeFile("work/victim/inner/two.txt");
    const QString victim = tree.path("work/victim");
    frmDelDir& form = open();

    picker_.cancel();
    ui::doubleClick(field());
    EXPECT_EQ(focused(), form.Command2);
    EXPECT_EQ(form.text1(5), workFolder);
    EXPECT_EQ(form.FolderToDelete, workFolder);

    ui::focusByUser(field());
    picker_.choose(victim + "  ");
    ui::doubleClick(field());
    EXPECT_EQ(focused(), form.Command2);
    EXPECT_EQ(form.FolderToDelete, victim);
    EXPECT_EQ(form.text1(5), victim);
    EXPECT_EQ(form.Dir1->path(), victim);
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"one.txt"});
    EXPECT_TRUE(messages.texts().isEmpty());

    messages.answerYes();
    ui::pressKey(form.Command2, Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{victim + Question});
    EXPECT_FALSE(tree.exists("work/victim"));
    EXPECT_TRUE(tree.exists("work/sub/s.txt"));
    expectFreshMainWindow(workFolder);
}

TEST_F(FolderDeletionWindow, LeavingThePathFieldChecksOnlyAChangeAndBringsTheListsToTheAcceptedFolder)
{
    frmDelDir& form = open();
    // Enter leaves for Delete; the folder becomes the accepted one everywhere.
    retype("  " + sub_ + "\n");
    ui::pressKey(field(), Qt::Key_Return);
    EXPECT_EQ(focused(), form.Command2);
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(form.Dir1->path(), sub_);
    EXPECT_EQ(form.Drive1->drive(), platform::DriveListBox::driveOf(sub_));
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"s.txt"});
    EXPECT_EQ(platform::backColor(field()), 0xC0C000u);

    // Unchanged but for blanks: no check, so the list is not read again.
    ui::focusByUser(field());
    retype("  " + sub_ + "  ");
    tree.writeFile("work/sub/t.txt");
    ui::focusByUser(form.File1.control(2));
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.fileList(2)->listCount(), 1);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("削除するフォルダを選択してください。"));

    // A case-only edit names another, here missing, folder.
    ui::focusByUser(field());
    retype(tree.path("work/SUB"));
    ui::focusByUser(form.File1.control(2));
    EXPECT_EQ(messages.texts(),
              QStringList{tree.path("work/SUB") + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。")});
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(focused(), field());

    // A folder that cannot be read: reported, the typing stays for mending.
    const QString locked = tree.makeFolder("locked");
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::PermissionDenied, locked);
    retype(locked);
    ui::focusByUser(form.File1.control(2));
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 70") + QChar(13)));
    EXPECT_EQ(form.text1(5), locked);
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(form.fileList(2)->path(), sub_);
    EXPECT_EQ(focused(), field());
}

TEST_F(FolderDeletionWindow, TheFolderListAndTheDriveListChooseFoldersAnUnreadableDriveChangesNothing)
{
    frmDelDir& form = open();
    openInFolderList(sub_);
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"s.txt"});

    // A picked drive opens its current folder.
    pickDrive(workFolder);
    EXPECT_EQ(form.Dir1->path(), workFolder);
    EXPECT_EQ(form.FolderToDelete, workFolder);
    EXPECT_EQ(form.text1(5), workFolder);
    EXPECT_TRUE(messages.texts().isEmpty());

    openInFolderList(sub_);
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::DeviceUnavailable, workFolder);
    pickDrive(workFolder);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Error- 68") + QChar(13)));
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.Dir1->path(), sub_);
    EXPECT_EQ(form.fileList(2)->path(), sub_);
    EXPECT_EQ(form.Drive1->drive(), platform::DriveListBox::driveOf(sub_));
}

// No answer is scripted: were the question asked, it would be declined.
TEST_F(FolderDeletionWindow, ARootIsRefusedInPlaceAndTheCloseBoxBringsBackTheMainWindow)
{
    frmDelDir& form = open();
    retype(QStringLiteral("/"));
    ui::focusByUser(form.Command2);
    ASSERT_EQ(form.FolderToDelete, QStringLiteral("/"));
    form.Command2->click();
    ui::settle();
    EXPECT_EQ(messages.texts(), QStringList{DeletionGuard::rootMessage()});
    ASSERT_TRUE(FormInstance<frmDelDir>::isLoaded());
    EXPECT_EQ(focused(), field());

    form.close();
    ui::settle();
    EXPECT_EQ(messages.count(), 1);
    expectFreshMainWindow(workFolder);
}
