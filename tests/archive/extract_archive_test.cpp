#include "archive/extract_archive.h"
#include "archive/unpack32.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <gtest/gtest.h>

namespace {

class ExtractArchiveTest : public ::testing::Test {
protected:
    void TearDown() override { Unpack32::setLibraryFileNames("liblhasa.so.0", "libarchive.so.13"); }
    void run(const QString& archivePath)
    {
        count = -1;
        MarlowFuncUtility::ExtractArchive(archivePath, melt + "/", count, result);
    }

    ScriptedMessages messages;
    TempTree tree;
    QString melt = tree.makeFolder("MELT");
    qint32 count = -1;
    qint16 result = -1;
};

}  // namespace

TEST_F(ExtractArchiveTest, GivesZeroAndTheMemberCountOnlyForAWholeArchiveOfEitherKind)
{
    TestArchives::LzhMember damaged{"d.txt", "data"};
    damaged.damagedCrc = true;
    const struct {
        const char* name;
        QByteArray bytes;
        qint16 result;
        qint32 count;
    } cases[] = {{"Photos.LZH", TestArchives::lzh({{"a.txt", "a", "-lh5-"}, {"b.txt", "b", "-lh0-", 2, "sub"}}), 0, 2},
                 {"photos.Zip", TestArchives::zip({{"c.txt", "c"}}), 0, 1},
                 {"photos.rar", TestArchives::zip({{"r.txt", "r"}}), 9, -1},
                 {"fake.zip", "not a zip", 9, -1},
                 {"fake.lzh", "not an lzh", 9, -1},
                 {"damaged.lzh", TestArchives::lzh({damaged, {"ok.txt", "ok"}}), 0, -1}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        run(tree.writeFile(QString("in/") + row.name, row.bytes));
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(count, row.count);
    }
    EXPECT_EQ(tree.readFile("MELT/sub/b.txt"), "b");
    EXPECT_EQ(tree.names("MELT"), QStringList({"a.txt", "c.txt", "ok.txt", "sub"}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ExtractArchiveTest, AMissingLibraryIsReportedAndTheOtherKindStillExtracts)
{
    const QString lzh = tree.writeFile("in/a.lzh", TestArchives::lzh({{"a.txt", "a"}}));
    const QString zip = tree.writeFile("in/a.zip", TestArchives::zip({{"a.txt", "a"}}));
    for (const bool lhasaMissing : {true, false}) {
        SCOPED_TRACE(lhasaMissing ? "liblhasa missing" : "libarchive missing");
        messages.clear();
        Unpack32::setLibraryFileNames(lhasaMissing ? "libvelda-no-such.so.0" : "liblhasa.so.0",
                                      lhasaMissing ? "libarchive.so.13" : "libvelda-no-such.so.13");
        run(lhasaMissing ? lzh : zip);
        EXPECT_EQ(result, 9);
        EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("該当するDLLがありません。")}));
        run(lhasaMissing ? zip : lzh);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(count, 1);
    }
}
