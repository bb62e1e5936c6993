#include "platform/wildcard.h"

#include <gtest/gtest.h>

using platform::matchesWildcard;

// "*.*" matches every name, dots or not; case is ignored; ";" joins patterns.
TEST(Wildcard, MatchesAsTheFileDialogsDo)
{
    const struct { const char* name; const char* pattern; bool matches; } cases[] = {
        {"photo.jpg", "*.*", true}, {"README", "*.*", true}, {".profile", "*.*", true},
        {"report", "report.*", true}, {"IMG_001.JPG", "*.jpg", true}, {"scan.png", "*.jpg;*.png", true},
        {"a1.txt", "a?.txt", true}, {"a12.txt", "a?.txt", false}, {"scan.png", "*.jpg", false},
        {"anything", "", false}, {"写真.JPG", "写*.jpg", true}};
    for (const auto& c : cases)
        EXPECT_EQ(matchesWildcard(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)), c.matches)
            << c.name << " " << c.pattern;
}
