#include "rename/frm_marlow_a.h"

#include "platform/message_box.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_b.h"
#include "rename/rule_window_placement.h"
#include "rename/rule_window_support.h"
#include "shared/field_colors.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using platform::placeTwips;

namespace {

constexpr int NarrowField = 495;
constexpr int SecondColumn = 2040;

}  // namespace

struct frmMarlowA::DirectionTexts {
    QString frontCaption;
    QString backCaption;
    QString frontToolTip;
    QString backToolTip;
};

frmMarlowA::frmMarlowA()
{
    setWindowTitle(QStringLiteral("ファイル名操作窓"));
    // Fixed in size: no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    platform::setClientSizeTwips(this, 2685, 2100);
    setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    buildFrames();
    wireHandlers();
}

QGroupBox* frmMarlowA::addFrame(int index, const QString& caption)
{
    auto* frame = new QGroupBox(caption, this);
    placeTwips(frame, 0, 0, 2655, 2055);
    platform::drawTitleOnBorder(frame);
    frame->hide();
    Frame5.add(index, frame);
    return frame;
}

void frmMarlowA::addDirectionOptions(QGroupBox* frame, int frontIndex, const DirectionTexts& texts)
{
    auto* front = new QRadioButton(texts.frontCaption, frame);
    front->setToolTip(texts.frontToolTip);
    placeTwips(front, 120, 360, 2295, 255);
    front->setChecked(true);
    auto* back = new QRadioButton(texts.backCaption, frame);
    back->setToolTip(texts.backToolTip);
    placeTwips(back, 120, 600, 2295, 255);
    for (QRadioButton* option : {front, back})
        platform::widenToCaption(option);
    Option2.add(frontIndex, front);
    Option2.add(frontIndex + 1, back);
}

// The caption stands left of its field, in the field's column.
void frmMarlowA::addLabelledField(QGroupBox* frame, int labelIndex, const QString& caption, int fieldIndex,
                                  int left, int top, int width, const QString& toolTip)
{
    auto* label = new QLabel(caption, frame);
    if (left < SecondColumn)
        placeTwips(label, 120, top, 825, 255);
    else
        placeTwips(label, 1560, top, 465, 255);
    Label1.add(labelIndex, label);

    auto* field = new QLineEdit(frame);
    field->setToolTip(toolTip);
    placeTwips(field, left, top, width, 275);
    platform::setBackColor(field, FieldColor::Unvisited);
    Text1.add(fieldIndex, field);
}

void frmMarlowA::buildFrames()
{
    const DirectionTexts deleting{
        QStringLiteral("前から削除開始桁を指定"), QStringLiteral("後から削除開始桁を指定"),
        QStringLiteral("元のファイル名から削除すべき開始桁を前から数えます。"),
        QStringLiteral("元のファイル名から削除すべき開始桁を後ろから数えます。")};
    const DirectionTexts replacing{
        QStringLiteral("前から置換開始桁を指定"), QStringLiteral("後から置換開始桁を指定"),
        QStringLiteral("元のファイル名から置換すべき開始桁を前から数えます。"),
        QStringLiteral("元のファイル名から置換すべき開始桁を後ろから数えます。")};
    const DirectionTexts inserting{
        QStringLiteral("前から挿入開始桁を指定"), QStringLiteral("後から挿入開始桁を指定"),
        QStringLiteral("元のファイル名に挿入すべき開始桁を前から数えます。"),
        QStringLiteral("元のファイル名に挿入すべき開始桁を後ろから数えます。")};
    const QString start = QStringLiteral("開始桁");
    const QString count = QStringLiteral("桁数");
    const QString startOneOrMore = QStringLiteral("１以上です。");
    const QString serialDigits = QStringLiteral("シリアル番号の桁数を指定します。１以上です。");
    const QString replacedCount = QStringLiteral("元のﾌｧｲﾙの置換する文字数を指定します。");

    QGroupBox* frame = addFrame(0, QStringLiteral("新ﾌｧｲﾙ名に置換"));
    addLabelledField(frame, 10, QStringLiteral("ﾌｧｲﾙ名"), 0, 960, 480, 1215,
                     QStringLiteral("コピー後のファイル名を指定します。"));

    frame = addFrame(1, QStringLiteral("一部を削除"));
    addDirectionOptions(frame, 0, deleting);
    addLabelledField(frame, 3, start, 10, 960, 1080, NarrowField, startOneOrMore);
    addLabelledField(frame, 2, count, 11, SecondColumn, 1080, NarrowField,
                     QStringLiteral("開始桁から削除すべき桁数を指定します。"));
    Label1.control(2)->setToolTip(replacedCount);

    frame = addFrame(2, QStringLiteral("一部を文字に置換"));
    addDirectionOptions(frame, 2, replacing);
    addLabelledField(frame, 9, start, 20, 960, 1080, NarrowField, startOneOrMore);
    addLabelledField(frame, 11, count, 21, SecondColumn, 1080, NarrowField,
                     QStringLiteral("開始桁から削除すべき桁数を指定します。０桁の場合は開始桁の前に挿入されます。"));
    Label1.control(11)->setToolTip(replacedCount);
    addLabelledField(frame, 12, QStringLiteral("挿入文字"), 22, 960, 1560, 1095,
                     QStringLiteral("挿入すべき文字列を指定します。空白の場合には、なにも挿入されません。"));

    frame = addFrame(3, QStringLiteral("一部を番号に置換"));
    addDirectionOptions(frame, 4, replacing);
    addLabelledField(frame, 14, start, 30, 960, 1080, NarrowField, startOneOrMore);
    addLabelledField(frame, 13, count, 31, SecondColumn, 1080, NarrowField,
                     QStringLiteral("開始桁から削除すべき桁数を指定します。０桁の場合には開始桁の前に挿入されます。"));
    Label1.control(13)->setToolTip(
        QStringLiteral("元のﾌｧｲﾙ名を置換する文字数を指定します。０桁の場合には開始桁の前に番号が挿入されます。"));
    addLabelledField(frame, 16, QStringLiteral("開始番号"), 32, 960, 1440, NarrowField,
                     QStringLiteral("コピー後のファイル名に挿入するシリアル番号の開始番号を指定します。"));
    addLabelledField(frame, 6, count, 33, SecondColumn, 1440, NarrowField, serialDigits);

    frame = addFrame(4, QStringLiteral("文字列を挿入"));
    addDirectionOptions(frame, 6, inserting);
    addLabelledField(frame, 5, start, 40, 960, 1080, NarrowField,
                     QStringLiteral("開始桁の後に挿入されます。０の場合は、接尾又は接頭に文字列が付加されます。"));
    addLabelledField(frame, 0, QStringLiteral("挿入文字"), 41, 960, 1560, 1215,
                     QStringLiteral("開始桁から挿入すべき文字列を指定します。"));

    frame = addFrame(5, QStringLiteral("番号を挿入"));
    addDirectionOptions(frame, 8, inserting);
    addLabelledField(frame, 7, start, 50, 960, 1080, NarrowField,
                     QStringLiteral("開始桁の後に挿入されます。０の場合は、接尾又は接頭に番号が付加されます。"));
    addLabelledField(frame, 1, QStringLiteral("開始番号"), 51, 960, 1560, NarrowField,
                     QStringLiteral("開始桁から挿入すべきシリアル番号の開始番号を指定します。"));
    addLabelledField(frame, 4, count, 52, SecondColumn, 1560, NarrowField, serialDigits);
}

void frmMarlowA::wireHandlers()
{
    Text1.onGotFocus([this](int i) { Text1_GotFocus(i); });
    Text1.onLostFocus([this](int i) { Text1_LostFocus(i); });
    Text1.onKeyDown([this](int i, int key, int shift) { Text1_KeyDown(i, key, shift); });
    Text1.onKeyPress([this](int i, int ascii) { Text1_KeyPress(i, ascii); });
}

void frmMarlowA::Form_Load()
{
    placeWindow();
}

// Placed again when first shown, the main window's frame known by then, so
// that the two rule windows stand edge to edge.
void frmMarlowA::firstShown()
{
    placeWindow();
}

void frmMarlowA::placeWindow()
{
    const QPointF place =
        fileNameWindowPlace(RuleWindow::screenSizeTwips(), RuleWindow::mainWindowSizeTwips(),
                            RuleWindow::outerSizeTwips(*this),
                            RuleWindow::outerSizeTwips(platform::FormInstance<frmMarlowB>::get()).height());
    RuleWindow::moveToTwips(*this, place.x(), place.y());
}

QString frmMarlowA::text1(int index) const
{
    return platform::textOf(Text1.control(index));
}

void frmMarlowA::setText1(int index, const QString& text)
{
    platform::setTextOf(Text1.control(index), text);
}

bool frmMarlowA::isOptionSelected(int index) const
{
    return Option2.at<QRadioButton>(index)->isChecked();
}

void frmMarlowA::Text1_GotFocus(int Index)
{
    platform::setBackColor(Text1.control(Index), FieldColor::Focused);
    RuleWindow::showHint(fieldHint(Index));
}

void frmMarlowA::Text1_LostFocus(int Index)
{
    // A field hidden with its frame or window holds nothing the rules will
    // use; a refusal would send the focus where the user cannot see it.
    if (Text1.control(Index)->isVisible()) {
        const FieldOutcome outcome = leaveField(Index, text1(Index), Remembered);
        if (!outcome.refusal.isEmpty()) {
            refuseInput(Index, outcome.refusal);
            return;
        }
    }
    platform::setBackColor(Text1.control(Index), FieldColor::Visited);
}

void frmMarlowA::Text1_KeyDown(int Index, int KeyCode, int Shift)
{
    moveFocus(arrowKeyTarget(Index, KeyCode, Shift));
}

void frmMarlowA::Text1_KeyPress(int Index, int KeyAscii)
{
    if (KeyAscii != platform::Key::Enter)
        return;
    const FieldOutcome outcome = enterInField(Index, text1(Index), Remembered);
    if (!outcome.refusal.isEmpty())
        refuseInput(Index, outcome.refusal);
    else
        moveFocus(outcome.nextFocus);
}

void frmMarlowA::refuseInput(int Index, const QString& message)
{
    platform::showMessage(message);
    platform::focusControl(Text1.control(Index));
}

void frmMarlowA::moveFocus(int target)
{
    if (target == FocusMove::CopyButton)
        RuleWindow::focusCopyButton();
    else if (target != FocusMove::Stay)
        platform::focusControl(Text1.control(target));
}

void frmMarlowA::Form_QueryUnload(int& /*cancel*/, int unloadMode)
{
    if (unloadMode != platform::UnloadMode::ByUser)
        return;
    if (RuleWindowHost* host = RuleWindow::host())
        host->nameWindowClosed();
}
