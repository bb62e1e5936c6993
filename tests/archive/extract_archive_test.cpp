#include "archive/archive_work_folder.h"
#include "archive/extract_archive.h"
#include "archive/extraction_progress.h"
#include "archive/extraction_room.h"
#include "archive/unpack32.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <gtest/gtest.h>

namespace {

// Records what an extraction reports; cancels before the member numbered cancelAt (from 1).
class RecordedProgress : public ExtractionProgress {
public:
    explicit RecordedProgress(int cancelAt = 0) : cancelAt_(cancelAt) {}
    void planned(int files, qint64 bytes) override
    {
        plannedFiles = files;
        plannedBytes = bytes;
    }
    bool beforeMember(const QString& memberName) override
    {
        seen << memberName;
        return cancelAt_ == 0 || seen.size() < cancelAt_;
    }
    void fileDone(qint64 bytes) override
    {
        ++filesDone;
        bytesDone += bytes;
    }

    int plannedFiles = -1;
    qint64 plannedBytes = -1;
    int filesDone = 0;
    qint64 bytesDone = 0;
    QStringList seen;

private:
    int cancelAt_;
};

class ExtractArchiveTest : public ::testing::Test {
protected:
    void TearDown() override { Unpack32::setLibraryFileNames("liblhasa.so.0", "libarchive.so.13"); }
    void run(const QString& archivePath, ExtractionProgress* progress = nullptr)
    {
        count = -1;
        messages.clear();
        MarlowFuncUtility::ExtractArchive(archivePath, melt + "/", count, result, progress);
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
}

TEST_F(ExtractArchiveTest, MembersNotWrittenAreListedInOneMessageAndOnlyFilesWrittenAreCounted)
{
    TestArchives::LzhMember damaged{"bad.txt", "data", "-lh5-"};
    damaged.damagedCrc = true;
    QVector<TestArchives::ZipMember> escaping;
    for (int i = 1; i <= 6; ++i)
        escaping.append({"../up" + QByteArray::number(i) + ".txt", "x"});
    QByteArray cut = TestArchives::lzh({{"first.txt", "first"}, {"second.txt", QByteArray(5000, 'y')}});
    cut.chop(1000);
    const struct {
        const char* name;
        QByteArray bytes;
        qint32 count;
        QString message;
    } cases[] = {
        {"skips.lzh",
         TestArchives::lzh({{"..\\up.txt", "x", "-lh0-", 0}, {"link|t", {}, "-lhd-", 2, {}, 'U', 0, 0120777},
                            {"a.txt", "1"}, {"a.txt", "2"}, {"b.txt", "b"}}),
         3, QStringLiteral("2 個のファイルを解凍しませんでした。\r../up.txt（フォルダーの外を指す名前）\rlink（リンク）\r"
                           "同じ名前が書庫に重ねてあったため、1 個を別の名前で解凍しました。\ra.txt → a (2).txt")},
        {"clean.lzh", TestArchives::lzh({{"a.txt", "1"}, {{}, {}, "-lhd-", 2, "sub"}}), 1, QString()},
        {"damaged.lzh", TestArchives::lzh({{"a.txt", "a"}, damaged}), -1,
         QStringLiteral("1 個のファイルを解凍しませんでした。\rbad.txt（データが壊れています）")},
        {"escaping.zip", TestArchives::zip(escaping + QVector<TestArchives::ZipMember>{{"ok.txt", "ok"}}), 1,
         QStringLiteral("6 個のファイルを解凍しませんでした。\r../up1.txt（フォルダーの外を指す名前）\r"
                        "../up2.txt（フォルダーの外を指す名前）\r../up3.txt（フォルダーの外を指す名前）\r"
                        "../up4.txt（フォルダーの外を指す名前）\r../up5.txt（フォルダーの外を指す名前）\rほか 1 個")},
        {"cut.lzh", cut, -1,
         QStringLiteral("1 個のファイルを解凍しませんでした。\rsecond.txt（データが途中で切れています）\r"
                        "書庫が second.txt の後で壊れていて、その先は読めませんでした。")},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ArchiveWorkFolder::makeEmpty(melt);
        run(tree.writeFile(QString("in/") + row.name, row.bytes));
        EXPECT_EQ(result, 0);
        EXPECT_EQ(count, row.count);
        EXPECT_EQ(messages.texts(), row.message.isEmpty() ? QStringList() : QStringList({row.message}))
            << messages.texts().join('|').toStdString();
    }
    EXPECT_EQ(tree.names("MELT"), QStringList({"first.txt"}));
}

TEST_F(ExtractArchiveTest, ABombIsRefusedOrStoppedAndACancelledRunLeavesTheWorkFolderEmpty)
{
    // Headers that declare thousands of 4 GiB files: more than any test disk holds.
    QVector<TestArchives::ZipMember> zipBomb;
    QVector<TestArchives::LzhMember> lzhBomb;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray name = QByteArray::number(i) + ".bin";
        zipBomb.append({name, "z", false, false, 0, 0xFFFFFFFF});
        TestArchives::LzhMember member{name, "z"};
        member.declaredSize = 0xFFFFFFFF;
        lzhBomb.append(member);
    }
    TestArchives::ZipMember growing{"grows.bin", QByteArray(100000, 'g')};
    growing.declaredSize = 1000;
    RecordedProgress cancelAtSecond(2);
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
        ExtractionProgress* progress;
    } cases[] = {
        {"bomb.zip", TestArchives::zip(zipBomb), QStringLiteral("空きが足りないため解凍しませんでした。"), {}},
        {"bomb.lzh", TestArchives::lzh(lzhBomb), QStringLiteral("空きが足りないため解凍しませんでした。"), {}},
        {"grows.zip", TestArchives::zip({{"first.txt", "first"}, growing}),
         QStringLiteral("grows.bin が書庫に記された大きさを超えたため、解凍を中止しました。"), {}},
        {"cancelled.lzh", TestArchives::lzh({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}}), QString(),
         &cancelAtSecond},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        run(tree.writeFile(QString("in/") + row.name, row.bytes), row.progress);
        EXPECT_EQ(result, 9);
        EXPECT_EQ(count, -1);
        EXPECT_TRUE(tree.names("MELT").isEmpty());
        if (row.message.isEmpty())
            EXPECT_TRUE(messages.texts().isEmpty());
        else
            EXPECT_TRUE(messages.texts().size() == 1 && messages.texts().first().endsWith(row.message))
                << messages.texts().join('|').toStdString();
    }
    EXPECT_EQ(cancelAtSecond.seen, QStringList({"a.txt", "b.txt"}));
}

TEST(ExtractionRoom, KeepsFivePercentOfTheDiskAtMostOneGibFree)
{
    constexpr qint64 GiB = qint64(1) << 30;
    const struct {
        qint64 declared, free, disk;
        bool fits;
    } cases[] = {{9 * GiB, 9 * GiB + GiB / 2, 10 * GiB, true}, {9 * GiB + 1, 9 * GiB + GiB / 2, 10 * GiB, false},
                 {49 * GiB, 50 * GiB, 1000 * GiB, true}, {49 * GiB + 1, 50 * GiB, 1000 * GiB, false},
                 {0, 0, 0, true}};
    for (const auto& row : cases)
        EXPECT_EQ(ExtractionRoom::fits(row.declared, row.free, row.disk), row.fits) << row.declared;
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

TEST_F(ExtractArchiveTest, ProgressHasTheTotalFromTheArchiveBeforeItsFirstMember)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"a.lzh", TestArchives::lzh({{"a.txt", "a", "-lh5-"}, {{}, {}, "-lhd-", 2, "sub"}, {"b.txt", "bbb", "-lh0-", 2, "sub"}})},
        {"a.zip", TestArchives::zip({{"a.txt", "a"}, {"sub/", {}}, {"sub/b.txt", "bbb", false, true}})},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ArchiveWorkFolder::makeEmpty(melt);
        RecordedProgress progress;
        run(tree.writeFile(QString("in/") + row.name, row.bytes), &progress);
        EXPECT_EQ(progress.plannedFiles, 2);
        EXPECT_EQ(progress.plannedBytes, 4);
        EXPECT_EQ(progress.filesDone, 2);
        EXPECT_EQ(progress.bytesDone, 4);
    }
}
