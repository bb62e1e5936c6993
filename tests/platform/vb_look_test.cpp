#include "platform/vb_look.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

namespace {

QRect frameRect(QGroupBox& frame, QStyle::SubControl part)
{
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    return frame.style()->subControlRect(QStyle::CC_GroupBox, &option, part, &frame);
}

}  // namespace

// The border runs through the middle of the title, above the first row of
// controls (classic rows start 240 twips down).
TEST(ClassicLook, AFrameTitleSitsOnTheBorderAboveTheFirstRow)
{
    for (double pointSize : {9.0, 12.0}) {
        SCOPED_TRACE(pointSize);
        QGroupBox frame(QStringLiteral("コピーの操作"));
        frame.setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), pointSize, {true}));
        frame.resize(177, 57);
        platform::drawTitleOnBorder(&frame);
        const QRect title = frameRect(frame, QStyle::SC_GroupBoxLabel);
        const QRect border = frameRect(frame, QStyle::SC_GroupBoxFrame);
        EXPECT_EQ(title.top(), 0);
        EXPECT_GT(border.top(), title.top());
        EXPECT_LT(border.top(), title.bottom());
        EXPECT_LT(border.top(), platform::twipsToPixels(240));
    }
}

TEST(ClassicLook, TwoLinesFitTheHeightOfAFieldOrStatusLine)
{
    QPlainTextEdit field;
    platform::placeTwips(&field, 0, 0, 2535, 495);
    QLabel status;
    platform::placeTwips(&status, 0, 0, 5295, 495);
    status.setFrameShape(QFrame::Panel);
    for (QWidget* control : {static_cast<QWidget*>(&field), static_cast<QWidget*>(&status)}) {
        control->setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
        platform::fitLinesToHeight(control, 2);
        EXPECT_LE(2 * control->fontMetrics().lineSpacing(), control->contentsRect().height());
        EXPECT_LT(control->font().pointSizeF(), 12.0);
    }
}
