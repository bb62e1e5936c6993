#include "platform/vb_look.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

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
