#include "rename/rule_window_placement.h"

#include <gtest/gtest.h>

TEST(RuleWindowPlacement, StackedOnTheRightEdgeOfTheCentredMainWindowRoundingDown)
{
    const QSize main(8265, 7365), extension(2700, 2000), fileName(2775, 2495);
    // Int(10935 / 2) = 5467, Int(7035 / 2) = 3517
    const QSize screen(19200, 14400);
    EXPECT_EQ(extensionWindowPlace(screen, main, extension), QPointF(5467 + 8265 - 1350, 3517 + 7365 - 2000));
    EXPECT_EQ(fileNameWindowPlace(screen, main, fileName, 2000), QPointF(5467 + 8265 - 1387.5, 3517 + 7365 - 2000 - 2495));
    // A screen smaller than the main window: Int(-132.5) = -133, Int(-682.5) = -683
    EXPECT_EQ(extensionWindowPlace(QSize(8000, 6000), main, extension), QPointF(-133 + 8265 - 1350, -683 + 7365 - 2000));
}
