#include "rename/frm_marlow_b.h"

#include "platform/message_box.h"
#include "platform/vb_look.h"
#include "rename/extension_check.h"
#include "rename/rule_messages.h"
#include "rename/rule_window_placement.h"
#include "rename/rule_window_support.h"
#include "shared/field_colors.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using platform::placeTwips;

namespace {

QLabel* makeLabel(QWidget* frame, int top)
{
    auto* label = new QLabel(QStringLiteral("新拡張子"), frame);
    placeTwips(label, 120, top, 975, 255);
    return label;
}

QLineEdit* makeExtensionField(QWidget* frame, int top)
{
    auto* field = new QLineEdit(frame);
    field->setToolTip(QStringLiteral("英字で指定します。空白の場合は拡張子がなくなります。"));
    placeTwips(field, 1200, top, 975, 270);
    platform::setBackColor(field, FieldColor::Unvisited);
    return field;
}

QRadioButton* makeOption(QWidget* frame, const QString& caption, const QString& toolTip, int top)
{
    auto* option = new QRadioButton(caption, frame);
    option->setToolTip(toolTip);
    placeTwips(option, 120, top, 2055, 255);
    platform::widenToCaption(option);
    return option;
}

}  // namespace

frmMarlowB::frmMarlowB()
{
    setWindowTitle(QStringLiteral("拡張子操作窓"));
    // Fixed in size: no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    platform::setClientSizeTwips(this, 2610, 1605);
    setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    buildFrames();
    Text1.onGotFocus([this](int i) { Text1_GotFocus(i); });
    Text1.onLostFocus([this](int i) { Text1_LostFocus(i); });
    Text1.onKeyPress([this](int i, int ascii) { Text1_KeyPress(i, ascii); });
}

void frmMarlowB::buildFrames()
{
    auto* replace = new QGroupBox(QStringLiteral("拡張子を置換"), this);
    placeTwips(replace, 0, 0, 2535, 1575);
    platform::drawTitleOnBorder(replace);
    Frame1.add(0, replace);
    Label1.add(1, makeLabel(replace, 600));
    Text1.add(1, makeExtensionField(replace, 600));

    auto* insert = new QGroupBox(QStringLiteral("元の拡張子を挿入後、付加"), this);
    placeTwips(insert, 0, 0, 2535, 1575);
    platform::drawTitleOnBorder(insert);
    insert->hide();
    Frame1.add(1, insert);
    Option3.add(0, makeOption(insert, QStringLiteral("ﾌｧｲﾙ名の前に挿入"),
                              QStringLiteral("元のファイル名に挿入すべき開始桁を前から数えます。"), 360));
    Option3.add(1, makeOption(insert, QStringLiteral("ﾌｧｲﾙ名の後に挿入"),
                              QStringLiteral("元のファイル名に挿入すべき開始桁を後ろから数えます。"), 600));
    Option3.at<QRadioButton>(0)->setChecked(true);
    Label1.add(2, makeLabel(insert, 1080));
    Label1.control(2)->setToolTip(QStringLiteral("空白、又は3桁か4桁の英字で指定します。"));
    Text1.add(2, makeExtensionField(insert, 1080));
}

void frmMarlowB::Form_Load()
{
    placeWindow();
}

// Placed again when first shown, the main window's frame known by then, so
// that the two rule windows stand edge to edge.
void frmMarlowB::firstShown()
{
    placeWindow();
}

void frmMarlowB::placeWindow()
{
    const QPointF place = extensionWindowPlace(RuleWindow::screenSizeTwips(),
                                               RuleWindow::mainWindowSizeTwips(),
                                               RuleWindow::outerSizeTwips(*this));
    RuleWindow::moveToTwips(*this, place.x(), place.y());
}

QString frmMarlowB::text1(int index) const
{
    return platform::textOf(Text1.control(index));
}

void frmMarlowB::setText1(int index, const QString& text)
{
    platform::setTextOf(Text1.control(index), text);
}

bool frmMarlowB::isOptionSelected(int index) const
{
    return Option3.at<QRadioButton>(index)->isChecked();
}

void frmMarlowB::Text1_GotFocus(int Index)
{
    platform::setBackColor(Text1.control(Index), FieldColor::Focused);
    RuleWindow::showHint(QStringLiteral("新しい拡張子を指定してください。"));
}

void frmMarlowB::Text1_LostFocus(int Index)
{
    // A field hidden with its frame or window holds nothing the rules will use.
    if (Text1.control(Index)->isVisible() && !isLettersOnlyExtension(text1(Index))) {
        platform::showMessage(RuleMessages::LettersOnlyExtension);
        platform::focusControl(Text1.control(Index));
        return;
    }
    platform::setBackColor(Text1.control(Index), FieldColor::Visited);
}

void frmMarlowB::Text1_KeyPress(int /*Index*/, int KeyAscii)
{
    if (KeyAscii == platform::Key::Enter)
        RuleWindow::focusCopyButton();
}

void frmMarlowB::Form_QueryUnload(int& /*cancel*/, int unloadMode)
{
    if (unloadMode != platform::UnloadMode::ByUser)
        return;
    if (RuleWindowHost* host = RuleWindow::host())
        host->extensionWindowClosed();
}
