#include "archive/frm_melt.h"
#include "folder_delete/deletion_guard.h"
#include "folder_delete/frm_del_dir.h"
#include "main_window/frm_marlow.h"
#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/fault_injection.h"
#include "platform/file_list_box.h"
#include "platform/process.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "shared/scripted_folder_picker.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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

class FolderDeletionWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_ = tree_.makeFolder("program");
        work_ = tree_.makeFolder("work");
        tree_.writeFile("work/a.txt");
        tree_.writeFile("work/sub/s.txt");
        sub_ = tree_.path("work/sub");
        platform::setProgramFolderOverride(program_);
        platform::setProgramEnder([this] { ++endCount_; });
        QDir::setCurrent(work_);
        ui::showActive(&FormInstance<frmMarlow>::get());
    }
    void TearDown() override
    {
        FormInstance<frmDelDir>::unload();
        FormInstance<FrmMELT>::unload();
        FormInstance<frmMarlowA>::unload();
        FormInstance<frmMarlowB>::unload();
        FormInstance<frmMarlow>::unload();
        ui::settle();
        platform::clearInjectedFaults();
        platform::setProgramEnder(nullptr);
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }

    frmDelDir& open()
    {
        FormInstance<frmMarlow>::get().mnDel1->trigger();
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
        EXPECT_EQ(endCount_, 0);
    }

    const QString previousFolder_ = QDir::currentPath();
    ScriptedMessages messages_;
    ScriptedFolderPicker picker_;
    TempTree tree_;
    QString program_;
    QString work_;
    QString sub_;
    frmDelDir* form_ = nullptr;
    int endCount_ = 0;
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
    EXPECT_TRUE(tree_.exists("program/TEMP"));
    EXPECT_EQ(endCount_, 0);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("フォルダーの削除窓"));
    EXPECT_EQ(form.FolderToDelete, work_);
    EXPECT_EQ(form.text1(5), work_);
    EXPECT_EQ(form.Dir1->path(), work_);
    EXPECT_EQ(form.Drive1->drive(), platform::DriveListBox::driveOf(work_));
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"a.txt"});
    EXPECT_EQ(focused(), field());
    EXPECT_EQ(form.Label2->text(), Hint);
    EXPECT_EQ(platform::backColor(field()), 0xC0E0FFu);

    messages_.answerNo();
    form.Command2->click();
    ui::settle();
    EXPECT_EQ(messages_.texts(), QStringList{work_ + Question});
    EXPECT_TRUE(tree_.exists("work/sub/s.txt"));
    expectFreshMainWindow(work_);
}

TEST_F(FolderDeletionWindow, APickLeavesTheFocusOnDeleteWhereEnterAsksAndYesDeletesTheTree)
{
    tree_.writeFile("work/victim/one.txt");
    tree_.writeFile("work/victim/inner/two.txt");
    const QString victim = tree_.path("work/victim");
    frmDelDir& form = open();

    picker_.cancel();
    ui::doubleClick(field());
    EXPECT_EQ(focused(), form.Command2);
    EXPECT_EQ(form.text1(5), work_);
    EXPECT_EQ(form.FolderToDelete, work_);

    ui::focusByUser(field());
    picker_.choose(victim + "  ");
    ui::doubleClick(field());
    EXPECT_EQ(focused(), form.Command2);
    EXPECT_EQ(form.FolderToDelete, victim);
    EXPECT_EQ(form.text1(5), victim);
    EXPECT_EQ(form.Dir1->path(), victim);
    EXPECT_EQ(entries(form.fileList(2)), QStringList{"one.txt"});
    EXPECT_TRUE(messages_.texts().isEmpty());

    messages_.answerYes();
    ui::pressKey(form.Command2, Qt::Key_Return);
    EXPECT_EQ(messages_.texts(), QStringList{victim + Question});
    EXPECT_FALSE(tree_.exists("work/victim"));
    EXPECT_TRUE(tree_.exists("work/sub/s.txt"));
    expectFreshMainWindow(work_);
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
    tree_.writeFile("work/sub/t.txt");
    ui::focusByUser(form.File1.control(2));
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.fileList(2)->listCount(), 1);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("削除するフォルダを選択してください。"));

    // A case-only edit names another, here missing, folder.
    ui::focusByUser(field());
    retype(tree_.path("work/SUB"));
    ui::focusByUser(form.File1.control(2));
    EXPECT_EQ(messages_.texts(),
              QStringList{tree_.path("work/SUB") + QStringLiteral("  が存在しません。フォルダを指定し直して下さい。")});
    EXPECT_EQ(form.text1(5), sub_);
    EXPECT_EQ(form.FolderToDelete, sub_);
    EXPECT_EQ(focused(), field());

    // A folder that cannot be read: reported, the typing stays for mending.
    const QString locked = tree_.makeFolder("locked");
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::PermissionDenied, locked);
    retype(locked);
    ui::focusByUser(form.File1.control(2));
    EXPECT_TRUE(messages_.last().startsWith(QStringLiteral("Error- 70") + QChar(13)));
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
    pickDrive(work_);
    EXPECT_EQ(form.Dir1->path(), work_);
    EXPECT_EQ(form.FolderToDelete, work_);
    EXPECT_EQ(form.text1(5), work_);
    EXPECT_TRUE(messages_.texts().isEmpty());

    openInFolderList(sub_);
    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::DeviceUnavailable, work_);
    pickDrive(work_);
    ASSERT_EQ(messages_.count(), 1);
    EXPECT_TRUE(messages_.last().startsWith(QStringLiteral("Error- 68") + QChar(13)));
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
    EXPECT_EQ(messages_.texts(), QStringList{DeletionGuard::rootMessage()});
    ASSERT_TRUE(FormInstance<frmDelDir>::isLoaded());
    EXPECT_EQ(focused(), field());

    form.close();
    ui::settle();
    EXPECT_EQ(messages_.count(), 1);
    expectFreshMainWindow(work_);
}

TEST_F(FolderDeletionWindow, DeletingTheCurrentFolderBringsTheMainWindowBackOnTheFolderAbove)
{
    frmDelDir& form = open();
    messages_.answerYes();
    form.Command2->click();
    ui::settle();
    EXPECT_FALSE(tree_.exists("work"));
    expectFreshMainWindow(tree_.root());
    EXPECT_EQ(messages_.count(), 1);
}
