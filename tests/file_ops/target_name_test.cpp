#include "file_ops/copy_one_file.h"
#include "file_ops/placement_plan.h"
#include "file_ops/target_name.h"
#include "platform/file_name_codec.h"
#include "platform/fs_error.h"

#include <gtest/gtest.h>

// Names that would leave the folder, hide the file from every list or not fit
// are refused everywhere; a FAT stick refuses more, bytes that are no UTF-8
// too, and counts UTF-16 units, not bytes. 85 hiragana take 255 bytes, 86
// take 258; 𠮷 is two UTF-16 units, and a rule cutting between them leaves
// half a character.
TEST(TargetName, RefusesNamesTheDestinationCannotTakeSafely)
{
    const QString kanji = QStringLiteral("𠮷野家.txt");
    const struct {
        QString name;
        bool onLinux, onFat;
    } cases[] = {
        {"", false, false}, {"..", false, false}, {"../a.txt", false, false}, {"sub/a.txt", false, false},
        {QStringLiteral("a") + QChar(0) + "b", false, false}, {".txt", false, false}, {"a..txt", true, true},
        {QString(86, QChar(0x3042)), false, true}, {QString(85, QChar(0x3042)), true, true},
        {QString(256, QLatin1Char('a')), false, false},
        {kanji, true, true}, {kanji.left(1) + ".txt", false, false},
        {"p1.txt.", true, false}, {"b:2.txt", true, false}, {"tab\t.txt", true, false}, {"ends ", true, false},
        {"a.b c", true, true}, {platform::decodeFileName("\x83\x65.txt"), true, false},
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
