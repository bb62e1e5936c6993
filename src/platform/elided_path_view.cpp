#include "platform/elided_path_view.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextLayout>
#include <QToolTip>

#include <cmath>

namespace platform {

namespace {

const QChar Ellipsis(0x2026);

// Lays text out in lines of width, placed as a plain text field places its
// lines; the number of lines.
int layOut(QTextLayout& layout, const QTextOption& wrapping, qreal width)
{
    layout.setTextOption(wrapping);
    layout.beginLayout();
    int lines = 0;
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += line.height();
        if (line.leading() < 0)
            top += std::ceil(line.leading());
        ++lines;
    }
    layout.endLayout();
    return lines;
}

bool fits(const QString& text, const QFont& font, const QTextOption& wrapping, qreal width, int lines)
{
    QTextLayout layout(text, font);
    return layOut(layout, wrapping, width) <= lines;
}

class ElidedPathView : public QObject {
public:
    ElidedPathView(QPlainTextEdit* field, int lines) : QObject(field), field_(field), lines_(lines)
    {
        field->installEventFilter(this);
        field->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == field_) {
            // The field shows its whole text while it is being edited.
            if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
                field_->viewport()->update();
            return false;
        }
        switch (event->type()) {
        case QEvent::Paint:
            if (field_->hasFocus() || !elided())
                return false;
            paintShown();
            return true;
        case QEvent::ToolTip:
            if (!elided())
                return false;
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), field_->toPlainText(), field_->viewport());
            return true;
        default:
            return false;
        }
    }

private:
    qreal margin() const { return field_->document()->documentMargin(); }
    qreal textWidth() const { return field_->viewport()->width() - 2 * margin(); }
    QTextOption wrapping() const { return field_->document()->defaultTextOption(); }

    // Worked out again only when the text, the width or the font changed.
    bool elided()
    {
        const QString text = field_->toPlainText();
        if (text != text_ || textWidth() != width_ || field_->font() != font_) {
            text_ = text;
            width_ = textWidth();
            font_ = field_->font();
            shown_ = pathEndThatFits(text_, font_, wrapping(), width_, lines_);
        }
        return shown_ != text_;
    }

    void paintShown()
    {
        QPainter painter(field_->viewport());
        const QPalette& palette = field_->palette();
        painter.fillRect(field_->viewport()->rect(), palette.color(QPalette::Base));
        painter.setPen(palette.color(QPalette::Text));
        QTextLayout layout(shown_, font_);
        layOut(layout, wrapping(), width_);
        layout.draw(&painter, QPointF(margin(), margin()));
    }

    QPlainTextEdit* field_;
    int lines_;
    QString text_;
    qreal width_ = -1;
    QFont font_;
    QString shown_;
};

}  // namespace

void showAsPath(QPlainTextEdit* field, int lines)
{
    // A path has no words: lines filled to the edge, alike in every build.
    field->setWordWrapMode(QTextOption::WrapAnywhere);
    // Wrapped, it never needs to scroll sideways, though the toolkit may count
    // a line a few pixels wider than the field and hide the path's first one.
    QScrollBar* sideways = field->horizontalScrollBar();
    QObject::connect(sideways, &QScrollBar::valueChanged, field, [sideways] { sideways->setValue(0); });
    new ElidedPathView(field, lines);
}

QString pathEndThatFits(const QString& path, const QFont& font, const QTextOption& wrapping, qreal width, int lines)
{
    if (fits(path, font, wrapping, width, lines))
        return path;
    // The longest end that still fits after the "…".
    int fitting = 0;
    int overflowing = int(path.size());
    while (overflowing - fitting > 1) {
        const int tried = (fitting + overflowing) / 2;
        if (fits(Ellipsis + path.right(tried), font, wrapping, width, lines))
            fitting = tried;
        else
            overflowing = tried;
    }
    // Never half of a character made of two units.
    if (fitting > 0 && path.at(path.size() - fitting).isLowSurrogate())
        --fitting;
    return Ellipsis + path.right(fitting);
}

}  // namespace platform
