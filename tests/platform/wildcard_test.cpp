#include "platform/folded_name.h"
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
        {"anything", "", false}, {"写真.JPG", "写*.jpg", true}, {"*ab.txt", "*b.txt", true}};
    for (const auto& c : cases)
        EXPECT_EQ(matchesWildcard(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)), c.matches)
            << c.name << " " << c.pattern;
}

// Patterns that match whatever name they are given, which a list need not
// match name by name; the others are matched.
TEST(Wildcard, TellsPatternsThatMatchEveryName)
{
    const struct { const char* pattern; bool everyName; } cases[] = {
        {"*", true}, {"*.*", true}, {"**.*", true}, {"*.jpg; *.*", true},
        {".*", false}, {"*.", false}, {"*.*.*", false}, {"?*", false}, {"*.jpg", false}, {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(platform::matchesEveryName(c.pattern), c.everyName) << c.pattern;
        if (c.everyName) {
            for (const char* name : {"README", "a.b.c", ".x", "写真"})
                EXPECT_TRUE(matchesWildcard(QString::fromUtf8(name), c.pattern)) << c.pattern << " " << name;
        }
    }
}

// Folding agrees with Qt's own for ASCII and for every other name.
TEST(FoldedName, FoldsAsQtDoes)
{
    for (const char* name : {"Photo_00001.JPG", "already folded", "[Z]@`{A}", "Ärger.TXT", "ＡＢＣ写真.JPG", "Straße"})
        EXPECT_EQ(platform::foldedName(QString::fromUtf8(name)), QString::fromUtf8(name).toCaseFolded()) << name;
}
