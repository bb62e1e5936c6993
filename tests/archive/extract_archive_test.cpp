#include "archive/extract_archive.h"
#include "archive/unpack32.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <gtest/gtest.h>

namespace {

class ExtractArchiveTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Unpack32::setLibraryFileNames(QStringLiteral("liblhasa.so.0"), QStringLiteral("libarchive.so.13"));
    }
    void run(const QString& archivePath)
    {
        MarlowFuncUtility::ExtractArchive(archivePath, melt_ + "/", count_, result_);
    }

    ScriptedMessages messages_;
    TempTree tree_;
    QString melt_ = tree_.makeFolder("MELT");
    qint32 count_ = -1;
    qint16 result_ = -1;
};

}  // namespace

TEST_F(ExtractArchiveTest, ExtractsEitherKindAndReportsTheMembers)
{
    run(tree_.writeFile("in/Photos.LZH", TestArchives::lzh({{"a.txt", {}, "a", "-lh5-", 2},
                                                             {"b.txt", "sub", "b", "-lh0-", 2}})));
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(tree_.readFile("MELT/sub/b.txt"), "b");
    run(tree_.writeFile("in/photos.Zip", TestArchives::zip({{"c.txt", "c"}})));
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(tree_.readFile("MELT/c.txt"), "c");
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(ExtractArchiveTest, OtherKindsAndInvalidArchivesGiveNineWithoutAMessage)
{
    run(tree_.writeFile("in/photos.rar", TestArchives::zip({{"c.txt", "c"}})));
    EXPECT_EQ(result_, 9);
    run(tree_.writeFile("in/fake.zip", "not a zip"));
    EXPECT_EQ(result_, 9);
    run(tree_.writeFile("in/fake.lzh", "not an lzh"));
    EXPECT_EQ(result_, 9);
    EXPECT_EQ(count_, -1);
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_TRUE(tree_.names("MELT").isEmpty());
}

TEST_F(ExtractArchiveTest, AFailedExtractionStillGivesZeroButNoCount)
{
    TestArchives::LzhMember damaged{"d.txt", {}, "data", "-lh0-", 2};
    damaged.damagedCrc = true;
    run(tree_.writeFile("in/damaged.lzh", TestArchives::lzh({damaged, {"ok.txt", {}, "ok", "-lh0-", 2}})));
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(count_, -1);
    EXPECT_EQ(tree_.names("MELT"), QStringList({"ok.txt"}));
}

TEST_F(ExtractArchiveTest, AMissingLibraryIsReportedOnce)
{
    const QString lzh = tree_.writeFile("in/a.lzh", TestArchives::lzh({{"a.txt", {}, "a", "-lh0-", 2}}));
    const QString zip = tree_.writeFile("in/a.zip", TestArchives::zip({{"a.txt", "a"}}));
    Unpack32::setLibraryFileNames(QStringLiteral("libvelda-no-such-lhasa.so.0"), QStringLiteral("libarchive.so.13"));
    run(lzh);
    EXPECT_EQ(result_, 9);
    EXPECT_EQ(messages_.texts(), QStringList({QStringLiteral("該当するDLLがありません。")}));
    run(zip);
    EXPECT_EQ(result_, 0);

    messages_.clear();
    Unpack32::setLibraryFileNames(QStringLiteral("liblhasa.so.0"), QStringLiteral("libvelda-no-such-archive.so.13"));
    tree_.writeFile("MELT/left.txt", "x");
    run(zip);
    EXPECT_EQ(result_, 9);
    EXPECT_EQ(messages_.texts(), QStringList({QStringLiteral("該当するDLLがありません。")}));
    EXPECT_EQ(tree_.names("MELT"), QStringList({"a.txt", "left.txt"}));
    run(lzh);
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(count_, 1);
}
