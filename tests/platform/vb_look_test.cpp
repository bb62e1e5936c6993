#include "platform/vb_look.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

// A frame's border runs through the middle of its title, above the first row
// of controls (classic rows start 240 twips down).
TEST(ClassicLook, AFrameTitleSitsOnTheBorderAboveTheFirstRow)
{
    for (double pointSize : {9.0, 12.0}) {
        SCOPED_TRACE(pointSize);
        QGroupBox frame(QStringLiteral("コピーの操作"));
        frame.setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), pointSize, {true}));
        frame.resize(177, 57);
        platform::drawTitleOnBorder(&frame);
        QStyleOptionGroupBox option;
        option.initFrom(&frame);
        option.text = frame.title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        const QRect title = frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame);
        const int border = frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &frame).top();
        EXPECT_EQ(title.top(), 0);
        EXPECT_GT(border, title.top());
        EXPECT_LT(border, title.bottom());
        EXPECT_LT(border, platform::twipsToPixels(240));
    }
}

TEST(ClassicLook, TwoLinesFitTheHeightOfAFieldOrStatusLine)
{
    QPlainTextEdit field;
    QLabel status;
    status.setFrameShape(QFrame::Panel);
    for (QWidget* control : {static_cast<QWidget*>(&field), static_cast<QWidget*>(&status)}) {
        platform::placeTwips(control, 0, 0, 2535, 495);
        control->setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
        platform::fitLinesToHeight(control, 2);
        EXPECT_LE(2 * control->fontMetrics().lineSpacing(), control->contentsRect().height());
        EXPECT_LT(control->font().pointSizeF(), 12.0);
    }
}
