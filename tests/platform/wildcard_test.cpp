#include "platform/wildcard.h"

#include <gtest/gtest.h>

using platform::matchesWildcard;

TEST(Wildcard, StarDotStarMatchesEveryNameDotsOrNot)
{
    EXPECT_TRUE(matchesWildcard("photo.jpg", "*.*"));
    EXPECT_TRUE(matchesWildcard("README", "*.*"));
    EXPECT_TRUE(matchesWildcard(".profile", "*.*"));
    EXPECT_TRUE(matchesWildcard("report", "report.*"));
}

TEST(Wildcard, IgnoresCaseAndAcceptsSeveralPatterns)
{
    EXPECT_TRUE(matchesWildcard("IMG_001.JPG", "*.jpg"));
    EXPECT_TRUE(matchesWildcard("scan.png", "*.jpg;*.png"));
    EXPECT_TRUE(matchesWildcard("a1.txt", "a?.txt"));
    EXPECT_FALSE(matchesWildcard("a12.txt", "a?.txt"));
    EXPECT_FALSE(matchesWildcard("scan.png", "*.jpg"));
    EXPECT_FALSE(matchesWildcard("anything", ""));
    EXPECT_TRUE(matchesWildcard("写真.JPG", "写*.jpg"));
}
