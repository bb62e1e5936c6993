#include "platform/elided_path_view.h"
#include "platform/vb_look.h"

#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

int linesOf(const QString& text, const QFont& font, const QTextOption& wrapping, qreal width)
{
    QTextLayout layout(text, font);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

}  // namespace

// A path that fits stays whole; a longer one keeps as much of its end as two
// lines hold after the "…", never half of a character of two units.
TEST(ElidedPath, KeepsTheLongestEndThatFitsAfterAnEllipsis)
{
    const QFont font = platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 7.5);
    QTextOption anywhere;
    anywhere.setWrapMode(QTextOption::WrapAnywhere);
    const qreal width = 165;
    const QString longPath = QStringLiteral("/home/user/写真の整理/2024年/05月/家族旅行_北海道_札幌_小樽_函館/カメラ_二台目/未整理");
    const QString surrogates = QStringLiteral("/") + QString(QStringLiteral("𠮷")).repeated(60);
    for (const QString& path : {QStringLiteral("/home/user/写真"), longPath, surrogates}) {
        SCOPED_TRACE(path.toStdString());
        const QString shown = platform::pathEndThatFits(path, font, anywhere, width, 2);
        EXPECT_LE(linesOf(shown, font, anywhere, width), 2);
        if (linesOf(path, font, anywhere, width) <= 2) {
            EXPECT_EQ(shown, path);
            continue;
        }
        ASSERT_TRUE(shown.startsWith(QChar(0x2026)));
        const QString end = shown.mid(1);
        EXPECT_TRUE(path.endsWith(end));
        EXPECT_FALSE(end.at(0).isLowSurrogate());
        // One character more would not fit.
        const int next = int(end.size()) + 1;
        const QString longer = path.right(path.at(path.size() - next).isLowSurrogate() ? next + 1 : next);
        EXPECT_GT(linesOf(QChar(0x2026) + longer, font, anywhere, width), 2);
    }
}
