#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;
class QWidget;

// Geometry, colours and fonts given the classic way: twips and &HBBGGRR.
namespace platform {

// 1440 twips per inch at 96 logical dpi: 15 twips to a logical pixel.
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

// Places a control at left, top, width, height in twips within its parent.
void placeTwips(QWidget* widget, int left, int top, int width, int height);
// Sets the size of a window's client area in twips.
void setClientSizeTwips(QWidget* widget, int width, int height);

// &HBBGGRR to a colour and back.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& color);

// The back colour of a field, list or label (the base of editable controls,
// the window background of the others).
void setBackColor(QWidget* widget, quint32 bgr);
quint32 backColor(const QWidget* widget);
void setForeColor(QWidget* widget, quint32 bgr);

// The named Japanese font where the desktop has it, else a Japanese sans-serif.
struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
QFont japaneseFont(const QString& family, double pointSize, FontStyle style = {});

// Screen size in twips.
int screenWidthTwips();
int screenHeightTwips();

// Draws a titled frame the classic way: the title on the border line, the
// border passing behind it, so the first row of controls stays clear.
void drawTitleOnBorder(QGroupBox* frame);

// Lowers the font of a multi-line field or label until the given number of
// text lines fits its height: the desktop's Japanese font is taller than the
// classic one the heights in twips were made for.
void fitLinesToHeight(QWidget* control, int lines);

// Lets a button's caption run on to the right rather than be cut off.
void widenToCaption(QWidget* button);

// A label with its caption, placed in twips within parent.
QLabel* makeLabel(QWidget* parent, const QString& caption, int left, int top, int width, int height);

// The text of a label, single-line or multi-line field, whichever it is.
QString textOf(const QWidget* control);
void setTextOf(QWidget* control, const QString& text);

}  // namespace platform
