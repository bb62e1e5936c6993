#include "platform/vb_look.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

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
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
}

}  // namespace platform
