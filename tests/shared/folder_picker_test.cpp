#include "shared/folder_picker.h"
#include "shared/scripted_folder_picker.h"

#include <gtest/gtest.h>

using namespace MarlowFuncUtility;

TEST(BrowseForFolder, ACancelIsToldApartAndAChosenPathOfAnyLengthReadsBackWholeAndTrimmed)
{
    EXPECT_TRUE(IsCancelledPick(BrowseForFolder()));  // no picker installed
    ScriptedFolderPicker picker;
    picker.cancel();
    EXPECT_TRUE(IsCancelledPick(BrowseForFolder()));
    const QString deep = QStringLiteral("/フォルダ名").repeated(61);
    for (const QString& path : {QStringLiteral("/"), QStringLiteral(" /データ/写真 2024 "), deep.left(256), deep}) {
        picker.choose(path);
        const QString result = BrowseForFolder();
        EXPECT_FALSE(IsCancelledPick(result)) << qPrintable(path);
        EXPECT_EQ(PickedPath(result), path.trimmed());
    }
}
