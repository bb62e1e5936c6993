#include "shared/velda_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace VeldaArt {

namespace {

const QColor Teal(0, 192, 192);
const QColor DeepTeal(0, 110, 120);
const QColor Orange(255, 160, 64);
const QColor Paper(250, 250, 245);

void drawSheet(QPainter& painter, const QRectF& rect, const QColor& ink)
{
    const qreal fold = rect.width() * 0.28;
    QPainterPath sheet;
    sheet.moveTo(rect.topLeft());
    sheet.lineTo(rect.right() - fold, rect.top());
    sheet.lineTo(rect.right(), rect.top() + fold);
    sheet.lineTo(rect.bottomRight());
    sheet.lineTo(rect.bottomLeft());
    sheet.closeSubpath();
    painter.setPen(QPen(ink, qMax<qreal>(1.0, rect.width() / 20)));
    painter.setBrush(Paper);
    painter.drawPath(sheet);
    for (int line = 1; line <= 3; ++line) {
        const qreal y = rect.top() + rect.height() * (0.25 + 0.18 * line);
        painter.drawLine(QPointF(rect.left() + rect.width() * 0.2, y),
                         QPointF(rect.right() - rect.width() * 0.2, y));
    }
}

void drawArrow(QPainter& painter, const QPointF& from, const QPointF& to, qreal width)
{
    painter.setPen(QPen(Orange, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const QLineF shaft(to, from);
    QLineF wing = shaft;
    wing.setLength(width * 2.2);
    wing.setAngle(shaft.angle() + 35);
    painter.drawLine(wing);
    wing.setAngle(shaft.angle() - 35);
    painter.drawLine(wing);
}

}  // namespace

QPixmap iconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Teal);
    painter.drawRoundedRect(QRectF(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s), 0.18 * s, 0.18 * s);
    drawSheet(painter, QRectF(0.16 * s, 0.18 * s, 0.36 * s, 0.46 * s), DeepTeal);
    drawSheet(painter, QRectF(0.50 * s, 0.38 * s, 0.36 * s, 0.46 * s), DeepTeal);
    drawArrow(painter, QPointF(0.30 * s, 0.76 * s), QPointF(0.46 * s, 0.76 * s), 0.06 * s);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(iconPixmap(size));
    return icon;
}

QPixmap aboutPicture()
{
    QPixmap pixmap(130, 147);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 147);
    sky.setColorAt(0, QColor(210, 245, 245));
    sky.setColorAt(1, QColor(120, 210, 215));
    painter.fillRect(pixmap.rect(), sky);

    // Two folders, files flying from the left one into the right one.
    painter.setPen(QPen(DeepTeal, 2));
    painter.setBrush(QColor(255, 224, 192));
    painter.drawRoundedRect(QRectF(8, 96, 50, 38), 4, 4);
    painter.drawRoundedRect(QRectF(72, 96, 50, 38), 4, 4);
    painter.drawRect(QRectF(8, 90, 20, 8));
    painter.drawRect(QRectF(72, 90, 20, 8));
    drawSheet(painter, QRectF(18, 30, 24, 32), DeepTeal);
    drawSheet(painter, QRectF(52, 14, 24, 32), DeepTeal);
    drawSheet(painter, QRectF(86, 38, 24, 32), DeepTeal);
    drawArrow(painter, QPointF(34, 84), QPointF(96, 84), 4);

    painter.setPen(DeepTeal);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, 130, 14), Qt::AlignCenter, QStringLiteral("Velda"));
    return pixmap;
}

}  // namespace VeldaArt
