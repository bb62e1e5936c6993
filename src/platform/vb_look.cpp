#include "platform/vb_look.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

#include <QPointer>

#include <cmath>

namespace platform {

namespace {
constexpr double TwipsPerPixel = 15.0;

bool isEditableKind(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractScrollArea*>(widget);
}

QPalette::ColorRole backRole(const QWidget* widget)
{
    return isEditableKind(widget) ? QPalette::Base : QPalette::Window;
}

constexpr int TitleIndent = 8;
constexpr int TitlePadding = 2;
constexpr double SmallestPointSize = 6.0;

class TitleOnBorderStyle : public QProxyStyle {
public:
    explicit TitleOnBorderStyle(const QString& baseKey) : QProxyStyle(baseKey) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !box || box->text.isEmpty())
            return QProxyStyle::subControlRect(control, option, sub, widget);
        QFont titleFont = widget ? widget->font() : QFont();
        titleFont.setBold(true);  // the width of a bold title serves a plain one too
        const QFontMetrics metrics(titleFont);
        const QRect frame = option->rect.adjusted(0, metrics.height() / 2, 0, 0);
        switch (sub) {
        case SC_GroupBoxFrame:
            return frame;
        case SC_GroupBoxLabel:
            return QRect(option->rect.left() + TitleIndent, option->rect.top(),
                         metrics.horizontalAdvance(box->text) + 2 * TitlePadding, metrics.height());
        case SC_GroupBoxContents:
            return frame.adjusted(box->lineWidth, box->lineWidth, -box->lineWidth, -box->lineWidth);
        default:
            return QProxyStyle::subControlRect(control, option, sub, widget);
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !box || box->text.isEmpty()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        // Etched, as classic frames are; the style's own group box frame keeps
        // its distance below the title.
        painter->save();
        painter->setClipRegion(QRegion(box->rect) - subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget));
        qDrawShadeRect(painter, subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget), box->palette, true);
        painter->restore();
        QStyleOptionGroupBox title(*box);
        title.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &title, painter, widget);
    }
};

QStyle* titleOnBorderStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new TitleOnBorderStyle(QApplication::style()->objectName());
        style->setParent(qApp);
    }
    return style;
}

int textHeight(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(control))
        return edit->height() - 2 * edit->frameWidth() - 2 * int(std::ceil(edit->document()->documentMargin()));
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->height() - 2 * label->frameWidth() - 2 * label->margin();
    return control->height();
}
}  // namespace

int twipsToPixels(int twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

int pixelsToTwips(int pixels)
{
    return int(std::lround(pixels * TwipsPerPixel));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                        twipsToPixels(height));
}

void setClientSizeTwips(QWidget* widget, int width, int height)
{
    widget->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

void setBackColor(QWidget* widget, quint32 bgr)
{
    QPalette palette = widget->palette();
    palette.setColor(backRole(widget), colorFromBgr(bgr));
    widget->setPalette(palette);
    if (!isEditableKind(widget))
        widget->setAutoFillBackground(true);
}

quint32 backColor(const QWidget* widget)
{
    return bgrFromColor(widget->palette().color(backRole(widget)));
}

void setForeColor(QWidget* widget, quint32 bgr)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(bgr));
    palette.setColor(QPalette::Text, colorFromBgr(bgr));
    palette.setColor(QPalette::ButtonText, colorFromBgr(bgr));
    widget->setPalette(palette);
}

QFont japaneseFont(const QString& family, double pointSize, FontStyle style)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(pointSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

int screenWidthTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().width()) : 0;
}

int screenHeightTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().height()) : 0;
}

void drawTitleOnBorder(QGroupBox* frame)
{
    frame->setStyle(titleOnBorderStyle());
}

void fitLinesToHeight(QWidget* control, int lines)
{
    QFont font = control->font();
    const int height = textHeight(control);
    while (font.pointSizeF() > SmallestPointSize && lines * QFontMetricsF(font).lineSpacing() > height)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    control->setFont(font);
}

void widenToCaption(QWidget* button)
{
    if (button->sizeHint().width() > button->width())
        button->resize(button->sizeHint().width(), button->height());
}

QLabel* makeLabel(QWidget* parent, const QString& caption, int left, int top, int width, int height)
{
    auto* label = new QLabel(caption, parent);
    placeTwips(label, left, top, width, height);
    return label;
}

QString textOf(const QWidget* control)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QString();
}

void setTextOf(QWidget* control, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->setPlainText(text);
        // The end of a path says most: keep it in view.
        plain->moveCursor(QTextCursor::End);
    }
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
}

}  // namespace platform
