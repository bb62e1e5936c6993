#include "platform/exact_path.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using platform::decodeFileName;
using platform::exactPathOf;

// A path as a field or the folder dialog shows it leads back to the folder's
// exact bytes; what cannot be told apart is left as written. Shift_JIS folders
// are read back through the main window's fields.
TEST(ExactPath, ReadsShownNamesBackToTheFoldersTheyName)
{
    TempTree tree;
    for (const char* folder : {"only\xfa", "two\nlines", "bad\xff/in", "bad\xfe/in"})
        tree.writeRaw(QByteArray(folder) + "/f");
    tree.writeRaw("file\xfb");  // a file reads as a folder name does, but is none
    tree.writeRaw("file\xfc/f");
    const QString root = tree.root();
    const auto exact = [&root](const QByteArray& relative) { return root + "/" + decodeFileName(relative); };
    const struct { QString shown; QString held; QString expected; } cases[] = {
        {root + QStringLiteral("/only\uFFFD/new"), "", exact("only\xfa/new")},
        {root + QStringLiteral("/two\u23CElines"), "", exact("two\nlines")},
        {root + QStringLiteral("/file\uFFFD"), "", exact("file\xfc")},
        {root + QStringLiteral("/bad\uFFFD/in"), "", root + QStringLiteral("/bad\uFFFD/in")},
        {root + QStringLiteral("/bad\uFFFD/in"), exact("bad\xfe/in"), exact("bad\xfe/in")},
        {root + QStringLiteral("/bad\uFFFD/other"), exact("bad\xff/in"), exact("bad\xff/other")},
        {root + QStringLiteral("/none/only\uFFFD"), "", root + QStringLiteral("/none/only\uFFFD")},
        {"/", "", "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exactPathOf(c.shown, c.held), c.expected) << qPrintable(c.shown);
}
