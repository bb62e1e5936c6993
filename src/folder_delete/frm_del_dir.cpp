#include "folder_delete/frm_del_dir.h"

#include "folder_delete/folder_deletion.h"
#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/elided_path_view.h"
#include "platform/file_list_box.h"
#include "platform/message_box.h"
#include "platform/path_field.h"
#include "platform/process.h"
#include "platform/vb_look.h"
#include "shared/field_colors.h"
#include "shared/folder_check.h"
#include "shared/folder_picker.h"
#include "shared/progress_window.h"
#include "shared/result_value.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

using platform::makeLabel;
using platform::placeTwips;
using namespace FolderDeletion;

namespace {

constexpr quint32 DriveListColor = 0x00C0C0;

// A closed combo box paints with the button colour, its open list with the base.
void colourDriveList(QWidget* drives)
{
    platform::setBackColor(drives, DriveListColor);
    QPalette palette = drives->palette();
    palette.setColor(QPalette::Button, platform::colorFromBgr(DriveListColor));
    palette.setColor(QPalette::Base, platform::colorFromBgr(DriveListColor));
    drives->setPalette(palette);
}

}  // namespace

frmDelDir::frmDelDir()
{
    setWindowTitle(QStringLiteral("フォルダーの削除窓"));
    platform::setClientSizeTwips(this, 5475, 5820);
    setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    buildControls();
    wireHandlers();
}

void frmDelDir::buildControls()
{
    Drive1 = new platform::DriveListBox(this);
    placeTwips(Drive1, 120, 240, 2535, 300);
    colourDriveList(Drive1);
    Dir1 = new platform::DirListBox(this);
    Dir1->setToolTip(QStringLiteral("フォルダ一覧です。ダブルクリックでフォルダーを開きます。"));
    placeTwips(Dir1, 120, 600, 2535, 3450);

    Label1.add(6, makeLabel(this, QStringLiteral("削除フォルダー"), 120, 4320, 2535, 255));
    auto* path = new platform::PathField(this);
    path->setToolTip(QStringLiteral("削除フォルダーを指定します。含まれるすべてのフォルダー及びファイルはすべて削除されます。"));
    path->setTabChangesFocus(true);
    path->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    path->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    path->document()->setDocumentMargin(1);
    platform::setBackColor(path, FieldColor::Visited);
    placeTwips(path, 120, 4560, 2535, 615);
    platform::fitLinesToHeight(path, 2);
    platform::showAsPath(path, 2);
    Text1.add(PathFieldIndex, path);

    Label1.add(0, makeLabel(this, QStringLiteral("削除フォルダー内のファイル"), 2760, 240, 2535, 255));
    auto* files = new platform::FileListBox(this);
    files->setToolTip(QStringLiteral("削除フォルダーに現在あるファイルの一覧です。"));
    platform::setBackColor(files, FieldColor::FileList);
    placeTwips(files, 2760, 600, 2535, 3870);
    File1.add(FileListIndex, files);

    Command2 = new QPushButton(QStringLiteral("Delete"), this);
    Command2->setToolTip(QStringLiteral("選択したフォルダ削除します。"));
    Command2->setFont(platform::japaneseFont(QStringLiteral("ＤＦPOP体"), 12, {true}));
    placeTwips(Command2, 2760, 4680, 2535, 480);
    Command2->setAutoDefault(true);  // Enter presses the focused button, as on the classic desktop

    Label2 = makeLabel(this, QStringLiteral("Label2"), 0, 5280, 5415, 495);
    Label2->setWordWrap(true);
    Label2->setFrameShape(QFrame::Panel);
    Label2->setFrameShadow(QFrame::Sunken);
    platform::fitLinesToHeight(Label2, 2);

    QWidget::setTabOrder(path, Drive1);
    QWidget::setTabOrder(Drive1, Dir1);
    QWidget::setTabOrder(Dir1, files);
    QWidget::setTabOrder(files, Command2);
    path->setFocus();
}

void frmDelDir::wireHandlers()
{
    Drive1->onChange([this] { Drive1_Change(); });
    Dir1->onChange([this] { Dir1_Change(); });
    Text1.onGotFocus([this](int i) { Text1_GotFocus(i); });
    Text1.onLostFocus([this](int i) { Text1_LostFocus(i); });
    Text1.onKeyPress([this](int i, int ascii) { Text1_KeyPress(i, ascii); });
    Text1.onDblClick([this](int i) { Text1_DblClick(i); });
    File1.onGotFocus([this](int i) { File1_GotFocus(i); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

QString frmDelDir::text1(int index) const
{
    return platform::textOf(Text1.control(index));
}

void frmDelDir::setText1(int index, const QString& text)
{
    platform::setTextOf(Text1.control(index), text);
}

platform::FileListBox* frmDelDir::fileList(int index) const
{
    return File1.at<platform::FileListBox>(index);
}

platform::PathField* frmDelDir::pathField() const
{
    return Text1.at<platform::PathField>(PathFieldIndex);
}

void frmDelDir::Form_Load()
{
    placeWindow();
    const QString current = platform::currentFolder();
    Drive1->setDrive(current);
    // Dir1_Change follows: the path field, the file list and FolderToDelete.
    Dir1->setPath(current);
}

void frmDelDir::setOpener(const QStringList& protectedFolders, std::function<void()> showOpener)
{
    protectedFolders_ = protectedFolders;
    showOpener_ = std::move(showOpener);
}

void frmDelDir::placeWindow()
{
    const int width = platform::pixelsToTwips(frameGeometry().width());
    const int height = platform::pixelsToTwips(frameGeometry().height());
    move(platform::twipsToPixels((platform::screenWidthTwips() - width) / 2),
         platform::twipsToPixels((platform::screenHeightTwips() - height) / 2));
}

qint16 frmDelDir::CheckDeleteFolder()
{
    return checkDeleteFolder(FolderCheck::FolderSide{
        text1(PathFieldIndex),
        pathField()->heldPath(),
        [this](const QString& path) { pathField()->setPath(path); },
        [this](const QString& folder) { return fileList(FileListIndex)->setPath(folder); },
        FolderToDelete});
}

void frmDelDir::Drive1_Change()
{
    const DriveFolder opening = folderOfDrive(Drive1->drive());
    if (opening.error.failed()) {
        platform::showError(opening.error);
        Drive1->setDrive(FolderToDelete);
        return;
    }
    const QString before = Dir1->path();
    Dir1->setPath(opening.folder);
    // A folder list that moved has run Dir1_Change already.
    if (Dir1->path() == before) {
        pathField()->setPath(Dir1->path());
        CheckDeleteFolder();
    }
}

void frmDelDir::Dir1_Change()
{
    pathField()->setPath(Dir1->path());
    CheckDeleteFolder();
}

void frmDelDir::Text1_GotFocus(int Index)
{
    platform::setBackColor(Text1.control(Index), FieldColor::Focused);
    Label2->setText(pathFieldHint());
}

void frmDelDir::Text1_LostFocus(int Index)
{
    // A refused folder keeps the look of the field in focus while its box is up.
    if (FolderCheck::fieldDiffers(text1(Index), FolderToDelete) && CheckDeleteFolder() > ResultValue::Proceed) {
        platform::focusControl(Text1.control(Index));
        return;
    }
    platform::setBackColor(Text1.control(Index), FieldColor::Visited);
    pathField()->setPath(FolderToDelete);
    showFolderToDelete();
}

void frmDelDir::Text1_KeyPress(int /*Index*/, int KeyAscii)
{
    if (KeyAscii == platform::Key::Enter)
        platform::focusControl(Command2);
}

void frmDelDir::Text1_DblClick(int /*Index*/)
{
    const QString pick = MarlowFuncUtility::BrowseForFolder();
    if (MarlowFuncUtility::IsCancelledPick(pick)) {
        pathField()->setPath(FolderToDelete);
        CheckDeleteFolder();
    } else {
        pathField()->setPath(MarlowFuncUtility::PickedPath(pick));
        CheckDeleteFolder();
        showFolderToDelete();
    }
    platform::focusControl(Command2);
}

void frmDelDir::File1_GotFocus(int /*Index*/)
{
    Label2->setText(fileListHint());
}

void frmDelDir::Command2_Click()
{
    ProgressWindow progress(this, QStringLiteral("フォルダーを削除しています…"));
    // Shift held with a click on the button, or with Enter on it: for good.
    const bool forGood = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    if (deleteFolder(FolderToDelete, protectedFolders_, &progress, forGood) == DeleteOutcome::Refused) {
        platform::focusControl(Text1.control(PathFieldIndex));
        return;
    }
    platform::FormInstance<frmDelDir>::unload();
    showMainWindow();
}

void frmDelDir::Form_QueryUnload(int& /*cancel*/, int unloadMode)
{
    if (unloadMode == platform::UnloadMode::ByUser)
        showMainWindow();
}

void frmDelDir::showFolderToDelete()
{
    Drive1->setDrive(FolderToDelete);
    Dir1->setPath(FolderToDelete);
}

void frmDelDir::showMainWindow()
{
    if (showOpener_)
        showOpener_();
}
