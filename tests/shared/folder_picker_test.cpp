#include "shared/folder_picker.h"
#include "shared/scripted_folder_picker.h"
#include "shared/typed_text.h"

#include <gtest/gtest.h>

using namespace MarlowFuncUtility;

TEST(BrowseForFolder, ACancelGivesTheCancelValueOf256Nuls)
{
    ScriptedFolderPicker picker;
    picker.cancel();
    const QString result = BrowseForFolder();
    EXPECT_EQ(result, QString(256, QChar(0)));
    EXPECT_EQ(result, CancelledPick());
    EXPECT_TRUE(IsCancelledPick(result));
    ASSERT_EQ(picker.count(), 1);
    EXPECT_EQ(picker.titles().first(), QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
}

TEST(BrowseForFolder, WithoutAPickerInstalledEveryPickIsCancelled)
{
    EXPECT_TRUE(IsCancelledPick(BrowseForFolder()));
}

TEST(BrowseForFolder, AChosenFolderComesBackPaddedAndReadsBackWhole)
{
    ScriptedFolderPicker picker;
    picker.choose(QStringLiteral("/"));
    picker.choose(QStringLiteral("/データ/写真 2024"));
    picker.choose(QStringLiteral("/home/user"));

    const QString root = BrowseForFolder();
    EXPECT_FALSE(IsCancelledPick(root));
    EXPECT_EQ(PickedPath(root), "/");

    const QString japanese = BrowseForFolder();
    EXPECT_EQ(japanese.size(), 256);
    EXPECT_TRUE(japanese.startsWith(QStringLiteral("/データ/写真 2024")));
    EXPECT_FALSE(IsCancelledPick(japanese));
    EXPECT_EQ(PickedPath(japanese), QStringLiteral("/データ/写真 2024"));

    const QString plain = BrowseForFolder();
    EXPECT_EQ(plain.size(), 256);
    EXPECT_EQ(plain.mid(10), QString(246, QChar(0)));
}

TEST(BrowseForFolder, PathsLongerThanTheClassicBufferComeBackWhole)
{
    QString deep;
    for (int level = 0; level < 60; ++level)
        deep += QStringLiteral("/フォルダ名");
    ASSERT_GT(deep.size(), 256);
    ScriptedFolderPicker picker;
    picker.choose(deep);
    picker.choose(deep.left(256));
    const QString result = BrowseForFolder();
    EXPECT_FALSE(IsCancelledPick(result));
    EXPECT_EQ(PickedPath(result), deep);
    EXPECT_EQ(PickedPath(BrowseForFolder()), deep.left(256));
}

TEST(PickedPath, TakesThePartBeforeTheFirstNulTrimmedOfBlanks)
{
    QString result = QStringLiteral("  /srv/share ");
    result.append(QChar(0)).append(QStringLiteral("junk"));
    EXPECT_EQ(PickedPath(result), "/srv/share");
}

TEST(RemoveLineBreaks, JoinsLinesAndKeepsEveryOtherCharacter)
{
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral("/data/fo\r\nlder")), "/data/folder");
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral("\n/a\r/b\n\n")), "/a/b");
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral(" /写真\t a ")), QStringLiteral(" /写真\t a "));
    EXPECT_EQ(RemoveLineBreaks(QString()), QString());
}

TEST(TrimBlanks, RemovesOnlyBlanksAtEitherEnd)
{
    EXPECT_EQ(TrimBlanks(QStringLiteral("  /a b  ")), "/a b");
    EXPECT_EQ(TrimBlanks(QStringLiteral("  /a  \n")), "/a  \n");
    EXPECT_EQ(TrimBlanks(QStringLiteral("\t/a\t")), "\t/a\t");
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), "");
    EXPECT_EQ(TrimBlanks(QStringLiteral("　/a　")), QStringLiteral("　/a　"));
}
