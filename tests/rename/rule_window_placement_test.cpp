#include "rename/rule_window_placement.h"

#include <gtest/gtest.h>

TEST(RuleWindowPlacement, BothStraddleTheRightEdgeOfTheCentredMainWindowStackedAtItsBottom)
{
    const QSize screen(19200, 14400);
    const QSize main(8265, 7365);
    const QSize extension(2700, 2000);
    const QPointF extensionPlace = extensionWindowPlace(screen, main, extension);
    // Int((19200 - 8265) / 2) = 5467; 5467 + 8265 - 1350
    EXPECT_DOUBLE_EQ(extensionPlace.x(), 12382.0);
    // Int((14400 - 7365) / 2) = 3517; 3517 + 7365 - 2000
    EXPECT_DOUBLE_EQ(extensionPlace.y(), 8882.0);

    const QSize fileName(2775, 2495);
    const QPointF fileNamePlace = fileNameWindowPlace(screen, main, fileName, extension.height());
    EXPECT_DOUBLE_EQ(fileNamePlace.x(), 5467 + 8265 - 1387.5);
    EXPECT_DOUBLE_EQ(fileNamePlace.y(), 8882.0 - 2495);
}

TEST(RuleWindowPlacement, AScreenSmallerThanTheMainWindowRoundsTowardsTheTopLeft)
{
    const QPointF place = extensionWindowPlace(QSize(8000, 6000), QSize(8265, 7365), QSize(2700, 2000));
    // Int(-132.5) = -133, Int(-682.5) = -683
    EXPECT_DOUBLE_EQ(place.x(), -133 + 8265 - 1350);
    EXPECT_DOUBLE_EQ(place.y(), -683 + 7365 - 2000);
}
