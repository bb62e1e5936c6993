#include "main_window/folder_check.h"
#include "platform/file_system.h"
#include "shared/result_value.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace FolderCheck;

namespace {

// A folder field with its file list and stored folder, as the main window has them.
struct FakeColumn {
    QString field;
    QString listFolder;
    QString stored;
    QString unreachable;  // pointing the list here fails with "device unavailable"

    explicit FakeColumn(const QString& start) : listFolder(start), stored(start) {}

    FolderSide side()
    {
        return FolderSide{field, [this](const QString& text) { field = text; },
                          [this](const QString& folder) {
                              if (folder == unreachable)
                                  return platform::makeError(platform::ErrorNumber::DeviceUnavailable);
                              if (!platform::folderExists(folder))
                                  return platform::makeError(platform::ErrorNumber::PathNotFound);
                              listFolder = folder;
                              return platform::FsError{};
                          },
                          stored};
    }
};

class FolderCheckTest : public ::testing::Test {
protected:
    void SetUp() override { QDir::setCurrent(tree_.root()); }
    void TearDown() override { QDir::setCurrent(previousFolder_); }

    const QString previousFolder_ = QDir::currentPath();
    TempTree tree_;
    ScriptedMessages messages_;
    const QString start_ = tree_.makeFolder("start");
};

}  // namespace

TEST_F(FolderCheckTest, TheTypedTextBecomesAnAbsoluteFolderPath)
{
    const QString root = tree_.root();
    EXPECT_EQ(folderPathOf("  " + root + "/a b\r\n"), root + "/a b");
    EXPECT_EQ(folderPathOf(root + "/a  \n"), root + "/a  ");
    EXPECT_EQ(folderPathOf(root + "/a//"), root + "/a");
    EXPECT_EQ(folderPathOf(QStringLiteral("写真/旅行")), root + QStringLiteral("/写真/旅行"));
    EXPECT_EQ(folderPathOf(QStringLiteral(" /\n")), "/");
    EXPECT_EQ(folderPathOf(QStringLiteral("  \r\n ")), "");
    EXPECT_TRUE(fieldDiffers("/data/Photos\n", "/data/Photos"));
}

TEST_F(FolderCheckTest, AnEmptyFieldIsRefusedLikeAMissingFolderAndNeverOfferedForCreation)
{
    for (bool destination : {false, true}) {
        messages_.clear();
        FakeColumn column(start_);
        column.field = QStringLiteral(" \r\n");
        EXPECT_EQ(destination ? checkDestination(column.side()) : checkSource(column.side()), ResultValue::Stop);
        EXPECT_EQ(messages_.texts(), QStringList{QStringLiteral("  が存在しません。フォルダを指定し直して下さい。")});
        EXPECT_EQ(column.field, start_);
        EXPECT_EQ(column.stored, start_);
    }
}

TEST_F(FolderCheckTest, AnyOtherFailureIsReportedAndTheTypedTextStays)
{
    for (bool destination : {false, true}) {
        messages_.clear();
        FakeColumn column(start_);
        column.unreachable = column.field = tree_.makeFolder("unreachable");
        EXPECT_EQ(destination ? checkDestination(column.side()) : checkSource(column.side()), ResultValue::Stop);
        EXPECT_EQ(messages_.texts(),
                  QStringList{platform::errorMessageText(platform::makeError(platform::ErrorNumber::DeviceUnavailable))});
        EXPECT_EQ(column.field, column.unreachable);
        EXPECT_EQ(column.stored, start_);
        EXPECT_EQ(column.listFolder, start_);
    }
}

TEST_F(FolderCheckTest, ADestinationThatCannotBeCreatedIsReportedAndNeverStored)
{
    tree_.writeFile("plain.txt");
    FakeColumn destination(start_);
    destination.field = tree_.path("plain.txt/sub");
    messages_.answerYes();
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Stop);
    ASSERT_EQ(messages_.count(), 2);
    EXPECT_EQ(messages_.texts().first(), tree_.path("plain.txt/sub") + QStringLiteral(" を作成しますか。"));
    EXPECT_TRUE(messages_.last().startsWith(QStringLiteral("Error- ")));
    EXPECT_EQ(destination.stored, start_);
    EXPECT_EQ(destination.field, tree_.path("plain.txt/sub"));
    EXPECT_EQ(destination.listFolder, start_);
}
