#include "main_window/folder_check.h"
#include "platform/file_system.h"
#include "shared/result_value.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>

#include <gtest/gtest.h>

using FolderCheck::checkDestination;
using FolderCheck::checkSource;
using FolderCheck::fieldDiffers;
using FolderCheck::folderPathOf;

namespace {

// A folder field with its file list and stored folder, as the main window has them.
struct FakeFolderColumn {
    QString field;
    QString listFolder;
    QString stored;
    QStringList listPointedAt;
    QString failingFolder;  // pointing the list here fails with device unavailable

    explicit FakeFolderColumn(const QString& start) : field(start), listFolder(start), stored(start) {}

    FolderCheck::FolderSide side()
    {
        return FolderCheck::FolderSide{
            field, [this](const QString& text) { field = text; },
            [this](const QString& folder) {
                listPointedAt.append(folder);
                if (folder == failingFolder)
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
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        start_ = tree_.makeFolder("start");
        QDir::setCurrent(tree_.root());
    }
    void TearDown() override { QDir::setCurrent(previousFolder_); }

    TempTree tree_;
    ScriptedMessages messages_;
    QString start_;
    QString previousFolder_;
};

const QString MissingText = QStringLiteral("  が存在しません。フォルダを指定し直して下さい。");

}  // namespace

TEST_F(FolderCheckTest, TheTypedTextIsCleanedIntoAnAbsoluteFolderPath)
{
    const QString root = tree_.root();
    EXPECT_EQ(folderPathOf("  " + root + "/a b\r\n"), root + "/a b");
    EXPECT_EQ(folderPathOf(root + "/a  \n"), root + "/a  ");
    EXPECT_EQ(folderPathOf(root + "/a//"), root + "/a");
    EXPECT_EQ(folderPathOf(QStringLiteral("写真/旅行")), root + QStringLiteral("/写真/旅行"));
    EXPECT_EQ(folderPathOf(QStringLiteral(" /\n")), "/");
    EXPECT_EQ(folderPathOf(QStringLiteral("  \r\n ")), "");
}

TEST_F(FolderCheckTest, OnlyATextOtherThanTheStoredFolderNeedsACheck)
{
    EXPECT_FALSE(fieldDiffers("  /data/Photos ", "/data/Photos"));
    EXPECT_TRUE(fieldDiffers("/data/photos", "/data/Photos"));
    EXPECT_TRUE(fieldDiffers("/data/Photos\n", "/data/Photos"));
    EXPECT_TRUE(fieldDiffers("", "/data/Photos"));
}

TEST_F(FolderCheckTest, AnExistingSourceIsShownAndStored)
{
    const QString photos = tree_.makeFolder(QStringLiteral("写真"));
    FakeFolderColumn source(start_);
    source.field = photos + "/\r\n";
    EXPECT_EQ(checkSource(source.side()), ResultValue::Proceed);
    EXPECT_EQ(source.stored, photos);
    EXPECT_EQ(source.listFolder, photos);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FolderCheckTest, AMissingOrEmptySourceIsReportedAndThePreviousFolderComesBack)
{
    const QString missing = tree_.path("nowhere");
    FakeFolderColumn source(start_);
    source.field = missing;
    EXPECT_EQ(checkSource(source.side()), ResultValue::Stop);
    EXPECT_EQ(messages_.texts(), QStringList{missing + MissingText});
    EXPECT_EQ(source.field, start_);
    EXPECT_EQ(source.stored, start_);
    EXPECT_EQ(source.listFolder, start_);
    EXPECT_EQ(source.listPointedAt.last(), start_);

    messages_.clear();
    source.field = QStringLiteral(" \n");
    EXPECT_EQ(checkSource(source.side()), ResultValue::Stop);
    EXPECT_EQ(messages_.texts(), QStringList{MissingText});
    EXPECT_EQ(source.field, start_);
    EXPECT_EQ(source.stored, start_);
}

TEST_F(FolderCheckTest, AnyOtherFailureIsReportedAndTheTypedTextStays)
{
    const QString unreachable = tree_.makeFolder("unreachable");
    for (bool destination : {false, true}) {
        messages_.clear();
        FakeFolderColumn column(start_);
        column.failingFolder = unreachable;
        column.field = unreachable;
        const qint16 result = destination ? checkDestination(column.side()) : checkSource(column.side());
        EXPECT_EQ(result, ResultValue::Stop);
        EXPECT_EQ(messages_.texts(), QStringList{QStringLiteral("Error- 68\rデバイスが使用できません。")});
        EXPECT_EQ(column.field, unreachable);
        EXPECT_EQ(column.stored, start_);
        EXPECT_EQ(column.listFolder, start_);
    }
}

TEST_F(FolderCheckTest, AnExistingDestinationIsTakenWithoutAQuestion)
{
    const QString out = tree_.makeFolder("out");
    FakeFolderColumn destination(start_);
    destination.field = out;
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Proceed);
    EXPECT_EQ(destination.stored, out);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FolderCheckTest, AMissingDestinationIsCreatedWithEveryMissingLevelOnYes)
{
    const QString target = tree_.path(QStringLiteral("new/年/月"));
    FakeFolderColumn destination(start_);
    destination.field = target;
    messages_.answerYes();
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Proceed);
    EXPECT_EQ(messages_.texts(), QStringList{target + QStringLiteral(" を作成しますか。")});
    EXPECT_TRUE(platform::folderExists(target));
    EXPECT_EQ(destination.stored, target);
    EXPECT_EQ(destination.listFolder, target);
}

TEST_F(FolderCheckTest, DecliningTheCreationBringsThePreviousDestinationBack)
{
    const QString target = tree_.path("new");
    FakeFolderColumn destination(start_);
    destination.field = target;
    messages_.answerNo();
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Stop);
    EXPECT_FALSE(tree_.exists("new"));
    EXPECT_EQ(destination.field, start_);
    EXPECT_EQ(destination.stored, start_);
    EXPECT_EQ(destination.listPointedAt.last(), start_);
}

TEST_F(FolderCheckTest, ACreationThatFailsIsReportedAndNeverStored)
{
    tree_.writeFile("plain.txt");
    const QString target = tree_.path("plain.txt/sub");
    FakeFolderColumn destination(start_);
    destination.field = target;
    messages_.answerYes();
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Stop);
    ASSERT_EQ(messages_.count(), 2);
    EXPECT_TRUE(messages_.last().startsWith(QStringLiteral("Error- ")));
    EXPECT_EQ(destination.stored, start_);
    EXPECT_EQ(destination.field, target);
    EXPECT_EQ(destination.listFolder, start_);
}

TEST_F(FolderCheckTest, AnEmptyDestinationIsRefusedLikeAMissingFolderWithoutAnOffer)
{
    FakeFolderColumn destination(start_);
    destination.field = QStringLiteral("\r\n");
    EXPECT_EQ(checkDestination(destination.side()), ResultValue::Stop);
    EXPECT_EQ(messages_.texts(), QStringList{MissingText});
    EXPECT_EQ(destination.field, start_);
    EXPECT_EQ(destination.stored, start_);
}
