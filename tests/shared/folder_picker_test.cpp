#include "shared/folder_picker.h"
#include "shared/scripted_folder_picker.h"
#include "shared/typed_text.h"

#include <gtest/gtest.h>

using namespace MarlowFuncUtility;

TEST(BrowseForFolder, ACancelGives256NulsWhichIsTheCancelValue)
{
    EXPECT_TRUE(IsCancelledPick(BrowseForFolder()));  // no picker installed
    ScriptedFolderPicker picker;
    picker.cancel();
    EXPECT_EQ(BrowseForFolder(), QString(256, QChar(0)));
    EXPECT_EQ(CancelledPick(), QString(256, QChar(0)));
    EXPECT_EQ(picker.titles(), QStringList{QStringLiteral("ﾌｫﾙﾀﾞを選択してください")});
}

TEST(BrowseForFolder, AChosenPathOfAnyLengthReadsBackWhole)
{
    QString deep;
    while (deep.size() <= 300)
        deep += QStringLiteral("/フォルダ名");
    const QStringList chosen{"/", QStringLiteral("/データ/写真 2024"), deep.left(256), deep};
    ScriptedFolderPicker picker;
    for (const QString& path : chosen)
        picker.choose(path);
    for (const QString& path : chosen) {
        const QString result = BrowseForFolder();
        EXPECT_FALSE(IsCancelledPick(result)) << path.toStdString();
        EXPECT_TRUE(result.startsWith(path));
        EXPECT_EQ(result.size(), qMax(256, int(path.size())));
        EXPECT_EQ(PickedPath(result), path);
    }
    EXPECT_EQ(PickedPath(QStringLiteral("  /srv/a b ") + QChar(0) + QStringLiteral("x")), "/srv/a b");
}

TEST(TypedText, LineBreaksGoAndOnlyBlanksAreTrimmed)
{
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral("/data/fo\r\nlder")), "/data/folder");
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral("\n/a\r/b\n\n")), "/a/b");
    EXPECT_EQ(RemoveLineBreaks(QStringLiteral(" /写真\t a ")), QStringLiteral(" /写真\t a "));
    EXPECT_EQ(RemoveLineBreaks(QString()), QString());
    EXPECT_EQ(TrimBlanks(QStringLiteral("  /a b  ")), "/a b");
    EXPECT_EQ(TrimBlanks(QStringLiteral("  /a  \n")), "/a  \n");
    EXPECT_EQ(TrimBlanks(QStringLiteral("\t　/a　\t")), QStringLiteral("\t　/a　\t"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), "");
}
