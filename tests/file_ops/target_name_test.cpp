#include "file_ops/copy_one_file.h"
#include "file_ops/placement_plan.h"
#include "file_ops/target_name.h"
#include "platform/file_name_codec.h"
#include "platform/fs_error.h"

#include <gtest/gtest.h>

// 85 hiragana take 255 bytes, 86 take 258. A name starting with "." would
// make a hidden file that no list shows.
TEST(TargetName, RefusesNamesThatLeaveTheFolderHideOrDoNotFit)
{
    for (const QString& name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../a.txt"),
                                QStringLiteral("sub/a.txt"), QStringLiteral("a") + QChar(0) + "b", QString(86, QChar(0x3042)),
                                QStringLiteral("..a"), QStringLiteral(".txt")})
        EXPECT_FALSE(FileOps::isUsableTargetName(name, 255)) << name.toStdString();
    for (const QString& name : {QStringLiteral("a..txt"), QStringLiteral("p1.txt."), QString(85, QChar(0x3042))})
        EXPECT_TRUE(FileOps::isUsableTargetName(name, 255)) << name.toStdString();
}

// 𠮷 is two UTF-16 units: a rule cutting between them leaves half a character.
TEST(TargetName, RefusesWhatAFatFileSystemOrUtf8CannotStore)
{
    const QString kanji = QStringLiteral("𠮷野家.txt");
    const struct {
        QString name;
        bool onLinux, onFat;
    } cases[] = {
        {kanji, true, true},
        {kanji.mid(1), false, false},
        {kanji.left(1) + QStringLiteral(".txt"), false, false},
        {QStringLiteral("b:2.txt"), true, false},
        {QStringLiteral("a\\b"), true, false},
        {QStringLiteral("tab\t.txt"), true, false},
        {QStringLiteral("what?"), true, false},
        {QStringLiteral("ends."), true, false},
        {QStringLiteral("ends "), true, false},
        {QStringLiteral("a.b c"), true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileOps::isUsableTargetName(c.name, 255), c.onLinux) << c.name.toStdString();
        EXPECT_EQ(FileOps::isUsableTargetName(c.name, 255, true), c.onFat) << c.name.toStdString();
    }
}

// A name with bytes that are no text and a line break shows in messages as
// the lists show it: nothing cut off at the break, no stray characters.
TEST(FileMessages, ShowNamesReadably)
{
    const QString path = platform::decodeFileName("/d/bad\xff\nx.txt");
    const QString shown = QStringLiteral("bad") + QChar(0xFFFD) + QStringLiteral("⏎x.txt");
    for (const QString& message :
         {FileOps::destinationClashMessage(path), FileOps::unusableNameMessage(path, path),
          FileOps::keptUnderMessage(path, path), platform::errorMessageText(platform::makeError(70, path))}) {
        SCOPED_TRACE(message.toStdString());
        EXPECT_TRUE(message.contains(shown));
        EXPECT_FALSE(message.contains(QLatin1Char('\n')) || platform::hasForeignBytes(message));
    }
}
