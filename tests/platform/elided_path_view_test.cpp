#include "platform/elided_path_view.h"
#include "platform/vb_look.h"

#include <QTextOption>

#include <gtest/gtest.h>

// A path that fits stays whole; a longer one keeps as much of its end as two
// lines hold after the "…", never half of a character of two units.
TEST(ElidedPath, KeepsTheLongestEndThatFitsAfterAnEllipsis)
{
    const QFont font = platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 7.5);
    QTextOption anywhere;
    anywhere.setWrapMode(QTextOption::WrapAnywhere);
    const auto shownOf = [&](const QString& path) { return platform::pathEndThatFits(path, font, anywhere, 165, 2); };
    const QChar ellipsis(0x2026);
    EXPECT_EQ(shownOf(QStringLiteral("/home/user/写真")), QStringLiteral("/home/user/写真"));
    for (const QString& path : {QStringLiteral("/home/user/写真の整理/2024年/05月/家族旅行_北海道_札幌_小樽_函館/カメラ_二台目"),
                                QStringLiteral("/") + QStringLiteral("𠮷").repeated(60)}) {
        const QString shown = shownOf(path);
        ASSERT_TRUE(shown.startsWith(ellipsis));
        const QString end = shown.mid(1);
        EXPECT_TRUE(path.endsWith(end));
        EXPECT_FALSE(end.at(0).isLowSurrogate());
        EXPECT_EQ(shownOf(shown), shown);  // it fits
        const int next = int(end.size()) + 1;
        const QString longer = ellipsis + path.right(path.at(path.size() - next).isLowSurrogate() ? next + 1 : next);
        EXPECT_NE(shownOf(longer), longer);  // one character more would not
    }
}
