#include "shared/folder_picker.h"
#include "shared/scripted_folder_picker.h"

#include <gtest/gtest.h>

using namespace MarlowFuncUtility;

TEST(BrowseForFolder, ACancelGives256NulsAndAChosenPathOfAnyLengthReadsBackWholeAndTrimmed)
{
    EXPECT_TRUE(IsCancelledPick(BrowseForFolder()));  // no picker installed
    ScriptedFolderPicker picker;
    picker.cancel();
    EXPECT_EQ(BrowseForFolder(), QString(256, QChar(0)));
    EXPECT_EQ(picker.titles(), QStringList{QStringLiteral("ﾌｫﾙﾀﾞを選択してください")});

    QString deep;
    while (deep.size() <= 300)
        deep += QStringLiteral("/フォルダ名");
    for (const QString& path : {QStringLiteral("/"), QStringLiteral(" /データ/写真 2024 "), deep.left(256), deep}) {
        picker.choose(path);
        const QString result = BrowseForFolder();
        EXPECT_FALSE(IsCancelledPick(result)) << qPrintable(path);
        EXPECT_EQ(result.size(), qMax(256, int(path.size())));
        EXPECT_EQ(PickedPath(result), path.trimmed());
    }
}
