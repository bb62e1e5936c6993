#include "archive/frm_melt.h"

#include "platform/dir_list_box.h"
#include "platform/drive_list_box.h"
#include "platform/file_list_box.h"
#include "platform/vb_look.h"
#include "shared/field_colors.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

using platform::placeTwips;

namespace {

constexpr quint32 Olive = 0x00C0C0;
constexpr quint32 Black = 0x000000;
constexpr int ClientHeight = 3975;

const QString GothicFamily = QStringLiteral("ＭＳ Ｐゴシック");
const QString ArchiveNameTip = QStringLiteral("圧縮ファイル名です。");

QLabel* makeCentredLabel(QWidget* parent, const QString& caption, int left, int top, int width, int height)
{
    QLabel* label = platform::makeLabel(parent, caption, left, top, width, height);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

FrmMELT::FrmMELT()
{
    setWindowTitle(QStringLiteral("解凍ファイル一覧"));
    resize(platform::twipsToPixels(5190), platform::twipsToPixels(ClientHeight));
    buildControls();
    text1Events_.onGotFocus([this](int) { Text1_GotFocus(); });
    text1Events_.onLostFocus([this](int) { Text1_LostFocus(); });
    text1Events_.onKeyPress([this](int, int keyAscii) { Text1_KeyPress(keyAscii); });
    Dir1->onChange([this] { Dir1_Change(); });
}

void FrmMELT::buildControls()
{
    auto* archiveName = makeCentredLabel(this, QString(), 2640, 120, 2535, 255);
    archiveName->setToolTip(ArchiveNameTip);
    archiveName->setFont(platform::japaneseFont(GothicFamily, 9.75, {true}));
    platform::setBackColor(archiveName, Olive);
    auto* heading = makeCentredLabel(this, QStringLiteral("解凍用ワークフォルダー（ＭＥＬＴ）"), 240, 360, 2175, 495);
    heading->setToolTip(ArchiveNameTip);
    // A little smaller: two lines of the desktop's taller Japanese font then
    // fit the heading, broken where the classic one breaks.
    heading->setFont(platform::japaneseFont(GothicFamily, 9, {true}));
    heading->setWordWrap(true);
    auto* typeCaption = makeCentredLabel(this, QStringLiteral("ﾌｧｲﾙ種類"), 3240, 480, 855, 255);
    platform::setForeColor(typeCaption, Black);
    Label1.add(0, archiveName);
    Label1.add(1, heading);
    Label1.add(8, typeCaption);

    Text1 = new QLineEdit(this);
    Text1->setToolTip(QStringLiteral("ファイルの種類（拡張子）を指定します。"));
    placeTwips(Text1, 4200, 480, 975, 270);
    platform::setBackColor(Text1, FieldColor::Unvisited);
    text1Events_.add(0, Text1);

    Drive1 = new platform::DriveListBox(this);
    placeTwips(Drive1, 240, 0, 2055, 300);

    Dir1 = new platform::DirListBox(this);
    placeTwips(Dir1, 120, 840, 2415, 3030);

    auto* files = new platform::FileListBox(this);
    files->setToolTip(QStringLiteral("圧縮ファイル内に含まれるファイルの一覧です。"));
    // Down to the window's bottom edge, not 15 twips past it.
    placeTwips(files, 2640, 840, 2535, ClientHeight - 840);
    platform::setBackColor(files, FieldColor::FileList);
    File1.add(2, files);

    QWidget::setTabOrder(files, Text1);
    QWidget::setTabOrder(Text1, Drive1);
    QWidget::setTabOrder(Drive1, Dir1);
    files->setFocus();
}

void FrmMELT::Form_Load()
{
    const QString current = QDir::currentPath();
    Drive1->setDrive(current);
    Dir1->setPath(current);
}

platform::FileListBox* FrmMELT::fileList() const
{
    return File1.at<platform::FileListBox>(2);
}

void FrmMELT::setArchiveName(const QString& name)
{
    platform::setTextOf(Label1.control(0), name);
}

void FrmMELT::Dir1_Change()
{
    fileList()->setPath(Dir1->path());
}

void FrmMELT::Text1_GotFocus()
{
    platform::setBackColor(Text1, FieldColor::Focused);
}

void FrmMELT::Text1_KeyPress(int KeyAscii)
{
    if (KeyAscii == platform::Key::Enter)
        platform::focusControl(fileList());
}

void FrmMELT::Text1_LostFocus()
{
    platform::setBackColor(Text1, FieldColor::Visited);
    fileList()->setPattern(Text1->text());
}
