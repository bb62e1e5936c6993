#include "main_window/frm_marlow.h"

#include "file_ops/run_journal.h"
#include "file_ops/run_recovery.h"
#include "main_window/work_folders.h"
#include "platform/elided_path_view.h"
#include "platform/file_system.h"
#include "platform/name_list_model.h"
#include "platform/process.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "shared/field_colors.h"
#include "shared/work_folder_paths.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using platform::makeLabel;
using platform::placeTwips;

namespace {

constexpr quint32 Blue = 0xFF0000;

const QString GothicFamily = QStringLiteral("ＭＳ Ｐゴシック");
const QString PopFamily = QStringLiteral("ＤＦPOP体");

QLineEdit* makeLineEdit(QWidget* parent, const QString& toolTip, quint32 back)
{
    auto* field = new QLineEdit(parent);
    field->setToolTip(toolTip);
    platform::setBackColor(field, back);
    return field;
}

platform::PathField* makeFolderField(QWidget* parent, const QString& toolTip)
{
    auto* field = new platform::PathField(parent);
    field->setToolTip(toolTip);
    field->setTabChangesFocus(true);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    field->document()->setDocumentMargin(1);
    platform::setBackColor(field, FieldColor::Visited);
    return field;
}

QRadioButton* makeOption(QWidget* parent, const QString& caption, const QString& toolTip, int top,
                         int width)
{
    auto* option = new QRadioButton(caption, parent);
    option->setToolTip(toolTip);
    placeTwips(option, 360, top, width, 255);
    return option;
}

QFrame* makeLine(QWidget* parent, int left, int top, int width)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    placeTwips(line, left, top, width, 30);
    return line;
}

}  // namespace

frmMarlow::frmMarlow()
{
    setWindowTitle(QStringLiteral("Tessel・「Velda」"));
    buildControls();
    buildMenus();
    setTabOrder();
    wireHandlers();
    acceptDrops();
}

void frmMarlow::buildControls()
{
    auto* client = new QWidget(this);
    platform::setClientSizeTwips(client, 8145, 6615);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);

    const QFont frameTitleFont = platform::japaneseFont(GothicFamily, 9, {true});
    const QFont frameLabelFont = platform::japaneseFont(GothicFamily, 9.75, {true});
    const QFont plainFont = platform::japaneseFont(GothicFamily, 9);

    Frame2 = new QGroupBox(client);
    placeTwips(Frame2, 0, 0, 8175, 6015);

    // Folder columns.
    Label1.add(2, makeLabel(Frame2, QStringLiteral("コピー元フォルダー"), 120, 240, 2535, 255));
    Label1.add(4, makeLabel(Frame2, QStringLiteral("コピー先フォルダー"), 2760, 240, 2535, 255));
    Label1.control(2)->setFont(frameTitleFont);
    Label1.control(4)->setFont(frameTitleFont);
    auto* source = makeFolderField(Frame2, QStringLiteral("コピー元のフォルダを指定します。"));
    placeTwips(source, 120, 480, 2535, 510);
    auto* destination = makeFolderField(Frame2, QStringLiteral("コピー先のフォルダーを指定します。"));
    placeTwips(destination, 2760, 480, 2535, 495);
    Label1.add(8, makeLabel(Frame2, QStringLiteral("ﾌｧｲﾙ種類"), 600, 1080, 855, 255));
    auto* fileType = makeLineEdit(Frame2, QStringLiteral("ファイルの種類（拡張子）を指定します。"), FieldColor::Unvisited);
    placeTwips(fileType, 1440, 1080, 1215, 270);

    auto* sourceList = new platform::FileListBox(Frame2);
    sourceList->setToolTip(QStringLiteral("コピー元フォルダーに現在あるファイルの一覧です。"));
    placeTwips(sourceList, 120, 1440, 2535, 4410);
    platform::setBackColor(sourceList, FieldColor::FileList);
    auto* destinationList = new platform::FileListBox(Frame2);
    destinationList->setToolTip(QStringLiteral("コピー先フォルダーに現在あるファイルの一覧です。"));
    placeTwips(destinationList, 2760, 1080, 2535, 4770);
    platform::setBackColor(destinationList, FieldColor::FileList);
    List1 = new QListView(Frame2);
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setUniformItemSizes(true);
    previewNames = new platform::NameListModel(List1);
    List1->setModel(previewNames);
    placeTwips(List1, 2760, 1080, 2535, 4740);
    // Polished on its first showing, a list lays out all its rows once more.
    List1->ensurePolished();
    File1.add(0, sourceList);
    File1.add(1, destinationList);

    // Copy operation.
    Frame3 = new QGroupBox(QStringLiteral("コピーの操作"), Frame2);
    placeTwips(Frame3, 5400, 120, 2655, 855);
    auto* move = new QCheckBox(QStringLiteral("元のﾌｧｲﾙを削除（移動）"), Frame3);
    move->setToolTip(QStringLiteral("コピー後、元のファイルを削除します。"));
    placeTwips(move, 120, 240, 2295, 300);
    auto* overwrite = new QCheckBox(QStringLiteral("同一名の場合は上書き"), Frame3);
    overwrite->setToolTip(QStringLiteral("コピー先に同一名のファイルがある場合は上書きします。"));
    placeTwips(overwrite, 120, 600, 2295, 225);
    move->setChecked(true);
    overwrite->setChecked(true);
    Check1.add(0, move);
    Check1.add(1, overwrite);

    // File name after copying.
    Frame1 = new QGroupBox(QStringLiteral("ｺﾋﾟｰ後のﾌｧｲﾙ名"), Frame2);
    placeTwips(Frame1, 5400, 1080, 2655, 3375);
    Label1.add(3, makeLabel(Frame1, QStringLiteral("先頭に"), 120, 240, 735, 270));
    auto* prefix = makeLineEdit(Frame1, QStringLiteral("コピー後のファイル名に付加する接頭語を指定します。"), FieldColor::Unvisited);
    placeTwips(prefix, 840, 240, 855, 275);
    Label1.add(7, makeLabel(Frame1, QStringLiteral("を付加"), 1680, 240, 735, 270));
    Label1.add(5, makeLabel(Frame1, QStringLiteral("最後に"), 120, 480, 735, 270));
    auto* suffix = makeLineEdit(Frame1, QStringLiteral("コピー後のファイル名に付加する接尾語を指定します。"), FieldColor::Unvisited);
    placeTwips(suffix, 840, 480, 855, 275);
    Label1.add(9, makeLabel(Frame1, QStringLiteral("を付加"), 1680, 480, 735, 270));
    Label1.add(6, makeLabel(Frame1, QStringLiteral("☆　いずれかを選択"), 240, 840, 1935, 270));
    platform::setForeColor(Label1.control(6), Blue);
    makeLine(Frame1, 120, 780, 2415);
    Option1.add(0, makeOption(Frame1, QStringLiteral("元のﾌｧｲﾙ名のまま"),
                              QStringLiteral("元のファイル名は、そのままコピー後のファイル名になります 。"), 1080, 1815));
    Option1.add(1, makeOption(Frame1, QStringLiteral("すべて同じ名にする"),
                              QStringLiteral("元のファイル名を破棄し、新しいファイル名をつけます。"), 1320, 1815));
    Label1.add(0, makeLabel(Frame1, QStringLiteral("元のﾌｧｲﾙ名の一部を"), 360, 1560, 2055, 270));
    Option1.add(2, makeOption(Frame1, QStringLiteral("削除"),
                              QStringLiteral("元のファイル名の一部を削除します。"), 1800, 1815));
    Option1.add(3, makeOption(Frame1, QStringLiteral("文字列で置換"),
                              QStringLiteral("元のファイル名の一部を削除し、その位置に文字列を挿入します。"), 2040, 1815));
    Option1.add(4, makeOption(Frame1, QStringLiteral("番号で置換"),
                              QStringLiteral("元のファイル名の一部を削除し、その位置にシリアル番号を挿入します。"), 2280, 1815));
    Label1.add(1, makeLabel(Frame1, QStringLiteral("元のﾌｧｲﾙ名に"), 360, 2520, 2055, 270));
    Option1.add(5, makeOption(Frame1, QStringLiteral("文字列を挿入"),
                              QStringLiteral("元のファイル名の指定位置に、文字列を挿入します。"), 2760, 1815));
    Option1.add(6, makeOption(Frame1, QStringLiteral("番号を挿入"),
                              QStringLiteral("元のファイル名の指定位置に、シリアル番号を挿入します。"), 3000, 1815));
    for (int index : {3, 5, 6, 7, 9, 0, 1})
        Label1.control(index)->setFont(frameLabelFont);
    static_cast<QRadioButton*>(Option1.control(0))->setChecked(true);

    // Extension operation.
    Frame4 = new QGroupBox(QStringLiteral("拡張子の操作"), Frame2);
    placeTwips(Frame4, 5400, 4560, 2655, 1335);
    Label1.add(10, makeLabel(Frame4, QStringLiteral("☆　いずれかを選択"), 240, 240, 1935, 270));
    Label1.control(10)->setFont(frameLabelFont);
    platform::setForeColor(Label1.control(10), Blue);
    Option2.add(0, makeOption(Frame4, QStringLiteral("元の拡張子のまま"),
                              QStringLiteral("元のファイルの拡張子は、そのままコピー後のファイルの拡張子になります。"), 480, 2175));
    Option2.add(1, makeOption(Frame4, QStringLiteral("新拡張子で置換"),
                              QStringLiteral("元の拡張子を削除し、コピー後のファイルに新しい拡張子をつけます。"), 720, 2175));
    Option2.add(2, makeOption(Frame4, QStringLiteral("ﾌｧｲﾙ名に挿入後、付加"),
                              QStringLiteral("元の拡張子をファイル名の中に取込み、コピー後のファイルに新しい拡張子をつけます。"), 960, 2175));
    static_cast<QRadioButton*>(Option2.control(0))->setChecked(true);

    // The title font of a frame would pass on to its buttons and fields.
    for (QGroupBox* frame : {Frame1, Frame3, Frame4}) {
        frame->setFont(frameTitleFont);
        platform::drawTitleOnBorder(frame);
        for (QAbstractButton* button : frame->findChildren<QAbstractButton*>()) {
            button->setFont(plainFont);
            platform::widenToCaption(button);
        }
        for (QLineEdit* field : frame->findChildren<QLineEdit*>())
            field->setFont(plainFont);
    }

    // Below the frames.
    Label2 = makeLabel(client, QString(), 0, 6120, 5295, 495);
    Label2->setWordWrap(true);
    // Written for every file of a run: never read as rich text.
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFrameShape(QFrame::Panel);
    Label2->setFrameShadow(QFrame::Sunken);
    platform::fitLinesToHeight(Label2, 2);
    auto* copy = new QPushButton(QStringLiteral("Copy"), client);
    copy->setToolTip(QStringLiteral("ファイルのコピーを開始します。"));
    placeTwips(copy, 5400, 6120, 1215, 480);
    copy->setFont(platform::japaneseFont(PopFamily, 12, {true, true, true}));
    auto* remove = new QPushButton(QStringLiteral("Delete"), client);
    remove->setToolTip(QStringLiteral("ファイルの削除を開始します。"));
    placeTwips(remove, 6840, 6120, 1215, 480);
    remove->setFont(platform::japaneseFont(PopFamily, 12, {true, true, false}));
    for (QPushButton* button : {copy, remove})
        button->setAutoDefault(true);  // Enter presses the focused button, as on the classic desktop
    Command1.add(0, copy);
    Command1.add(1, remove);

    // One font for both folder fields: the one whose two lines fit the lower.
    platform::fitLinesToHeight(destination, 2);
    source->setFont(destination->font());
    for (QPlainTextEdit* folder : {source, destination})
        platform::showAsPath(folder, 2);
    Text1.add(0, fileType);
    Text1.add(1, source);
    Text1.add(2, destination);
    Text1.add(3, prefix);
    Text1.add(4, suffix);
}

void frmMarlow::buildMenus()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* end = bar->addMenu(QStringLiteral("終了(&E)"));
    mnEnd1 = end->addAction(QStringLiteral("終了"));
    QMenu* del = bar->addMenu(QStringLiteral("フォルダの削除(&D)"));
    mnDel1 = del->addAction(QStringLiteral("フォルダの削除"));
    buildUndoMenu(bar);
    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnHelp1 = help->addAction(QStringLiteral("操作説明"));
    help->addSeparator();
    mnAbout = help->addAction(QStringLiteral("バージョン情報"));
}

void frmMarlow::setTabOrder()
{
    QList<QWidget*> order{Text1.control(1), Text1.control(0), Text1.control(2), Text1.control(3),
                          Text1.control(4), File1.control(0), File1.control(1), Check1.control(0),
                          Check1.control(1)};
    for (int i = 0; i <= 6; ++i)
        order.append(Option1.control(i));
    order.append(Command1.control(0));
    order.append(Command1.control(1));
    for (int i = 0; i <= 2; ++i)
        order.append(Option2.control(i));
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    List1->setFocusPolicy(Qt::NoFocus);
    Text1.control(1)->setFocus();
}

void frmMarlow::wireHandlers()
{
    Text1.onGotFocus([this](int i) { Text1_GotFocus(i); });
    Text1.onLostFocus([this](int i) { Text1_LostFocus(i); });
    Text1.onKeyDown([this](int i, int key, int shift) { Text1_KeyDown(i, key, shift); });
    Text1.onKeyPress([this](int i, int ascii) { Text1_KeyPress(i, ascii); });
    Text1.onDblClick([this](int i) { Text1_DblClick(i); });
    File1.onGotFocus([this](int i) { File1_GotFocus(i); });
    File1.onDblClick([this](int i) { File1_DblClick(i); });
    Option1.onClick([this](int i) { Option1_Click(i); });
    Option2.onClick([this](int i) { Option2_Click(i); });
    Command1.onGotFocus([this](int i) { Command1_GotFocus(i); });
    Command1.onClick([this](int i) { Command1_Click(i); });
    File1.onKeyDown([this](int i, int key, int shift) { File1_KeyDown(i, key, shift); });
    connect(mnEnd1, &QAction::triggered, this, [this] { mnEnd1_Click(); });
    connect(mnDel1, &QAction::triggered, this, [this] { mnDel1_Click(); });
    connect(mnHelp1, &QAction::triggered, this, [this] { mnHelp1_Click(); });
    connect(mnAbout, &QAction::triggered, this, [this] { mnAbout_Click(); });
}

QString frmMarlow::text1(int index) const
{
    return platform::textOf(Text1.control(index));
}

void frmMarlow::setText1(int index, const QString& text)
{
    platform::setTextOf(Text1.control(index), text);
}

platform::FileListBox* frmMarlow::fileList(int index) const
{
    return File1.at<platform::FileListBox>(index);
}

platform::PathField* frmMarlow::pathField(int index) const
{
    return Text1.at<platform::PathField>(index);
}

bool frmMarlow::isChecked(int checkIndex) const
{
    return Check1.at<QCheckBox>(checkIndex)->isChecked();
}

bool frmMarlow::isOptionSelected(platform::ControlArray& options, int index) const
{
    return options.at<QRadioButton>(index)->isChecked();
}

void frmMarlow::selectOption(platform::ControlArray& options, int index)
{
    options.at<QRadioButton>(index)->setChecked(true);
}

void frmMarlow::Form_Load()
{
    placeWindow();

    setText1(0, QStringLiteral("*.*"));
    fileList(0)->setPattern(QStringLiteral("*.*"));
    fileList(1)->setPattern(QStringLiteral("*.*"));
    const QString current = StartFolder.isEmpty() ? platform::currentFolder() : StartFolder;
    // A start folder that cannot be listed leaves the list empty.
    static_cast<void>(fileList(0)->setPath(current));
    fileList(1)->setPathAs(*fileList(0));
    pathField(1)->setPath(fileList(0)->path());
    pathField(2)->setPath(fileList(1)->path());
    SourceFolder = fileList(0)->path();
    DestFolder = fileList(1)->path();

    prepareWorkFolders();
    refreshUndoMenu();
    List1->hide();
    ResetRules();
}

void frmMarlow::placeWindow()
{
    adjustSize();
    const int width = platform::pixelsToTwips(frameGeometry().width());
    const int height = platform::pixelsToTwips(frameGeometry().height());
    const double ruleWindowWidth = platform::pixelsToTwips(platform::FormInstance<frmMarlowA>::get().frameGeometry().width());
    const int top = (platform::screenHeightTwips() - height) / 2;
    const double left = (platform::screenWidthTwips() - width) / 2 - ruleWindowWidth / 2;
    move(platform::twipsToPixels(int(left)), platform::twipsToPixels(top));
}

void frmMarlow::prepareWorkFolders()
{
    const WorkFolderPaths::Paths paths = WorkFolderPaths::pathsFor(platform::programFolder());
    ProgramFolder = paths.program;
    TempFolder = paths.temp;
    MeltFolder = paths.melt;
    ManualPath = paths.manual;
    FileOps::recoverInterruptedRuns(FileOps::journalFolder());
    WorkFolders::recreate(TempFolder);
    WorkFolders::recreate(MeltFolder);
}

void frmMarlow::removeWorkFolders()
{
    WorkFolders::remove(TempFolder);
    WorkFolders::remove(MeltFolder);
}

void frmMarlow::mnEnd1_Click()
{
    removeWorkFolders();
    platform::endProgram();
}

void frmMarlow::Form_QueryUnload(int& /*cancel*/, int unloadMode)
{
    if (unloadMode != platform::UnloadMode::ByUser)
        return;
    removeWorkFolders();
    platform::endProgram();
}
