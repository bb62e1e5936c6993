#include "archive/extraction_progress.h"
#include "archive/extraction_room.h"
#include "archive/unpack32.h"
#include "extraction_test.h"
#include "support/test_mounts.h"

using TestArchives::le;

namespace {

// Records what an extraction reports; cancels before the member numbered
// cancelAt (from 1), or within a member once stopAtBytes of it are written;
// empties workFolder, if any, once the archive is recognised.
struct RecordedProgress : ExtractionProgress {
    RecordedProgress(int cancelAt, qint64 stopAtBytes) : cancelAt(cancelAt), stopAtBytes(stopAtBytes) {}
    bool planned(int files, qint64 bytes) override
    {
        plannedFiles = files;
        plannedBytes = bytes;
        return workFolder.isEmpty() || ArchiveWorkFolder::makeEmpty(workFolder);
    }
    bool beforeMember(const QString& name) override { seen << name; return cancelAt == 0 || seen.size() < cancelAt; }
    void fileDone(qint64 bytes) override { ++filesDone; bytesDone += bytes; }
    bool written(qint64 bytes) override
    {
        largestWritten = qMax(largestWritten, bytes);
        return stopAtBytes < 0 || bytes < stopAtBytes;
    }

    int cancelAt, plannedFiles = -1, filesDone = 0;
    qint64 stopAtBytes, plannedBytes = -1, bytesDone = 0, largestWritten = 0;
    QStringList seen;
    QString workFolder;
};

// The end of a ZIP64 archive whose directory is said to lie at offset for size bytes.
QByteArray zip64End(quint64 offset, quint64 size, quint64 recordAt = 0)
{
    const QByteArray record = le(0x06064b50, 4) + le(44, 8) + le(45, 2) + le(45, 2) + le(0, 8) + le(1, 8)
                              + le(1, 8) + le(size, 8) + le(offset, 8);
    const QByteArray locator = le(0x07064b50, 4) + le(0, 4) + le(recordAt, 8) + le(1, 4);
    return record + locator + le(0x06054b50, 4) + le(0, 4) + le(0xFFFF, 2) + le(0xFFFF, 2)
           + le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) + le(0, 2);
}

using ExtractArchiveTest = ExtractionTest;

}  // namespace

// 0 with the count of files for a whole archive, -1 when a member was not
// written, 9 when nothing was; at most one message, naming what was not
// written; nothing left of an archive refused, stopped or cancelled.
TEST_F(ExtractArchiveTest, EveryOutcomeIsToldAndOnlyAWholeArchiveIsCounted)
{
    QByteArray damagedZip = TestArchives::zip({{"a.txt", "a"}, {"bad.txt", "0123456789"}});
    damagedZip[damagedZip.indexOf("0123456789") + 3] = 'X';
    const QString outside = QStringLiteral("（フォルダーの外を指す名前）");
    const QString noRoom = QStringLiteral("空きが足りないため解凍しませんでした。");
    QVector<TestArchives::ZipMember> escaping{{"ok.txt", "ok"}};
    QString escapingReport = QStringLiteral("6 個のファイルを解凍しませんでした。");
    for (int i = 1; i <= 6; ++i) {
        escaping.append({"../up" + QByteArray::number(i) + ".txt", "x"});
        escapingReport += i < 6 ? "\r../up" + QString::number(i) + ".txt" + outside : QStringLiteral("\rほか 1 個");
    }
    // Headers that declare thousands of 4 GiB files: more than any test disk holds.
    QVector<TestArchives::ZipMember> zipBomb;
    QVector<TestArchives::LzhMember> lzhBomb;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray name = QByteArray::number(i) + ".bin";
        zipBomb.append({name, "z", false, false, 0, 0xFFFFFFFF});
        lzhBomb.append({name, "z", "-lh0-", 2, {}, 'M', 0, 0, false, 0xFFFFFFFF});
    }
    const TestArchives::ZipMember growing{"grows.bin", QByteArray(100000, 'g'), false, false, 0, 1000};
    RecordedProgress cancelAtSecond(2, -1);
    const Outcome cases[] = {
        {"photos.rar", TestArchives::zip({{"r.txt", "r"}}), 9, -1, {}, {}},
        {"fake.zip", "not a zip", 9, -1, {}, {}},
        {"skips.lzh",
         TestArchives::lzh({{"..\\up.txt", "x", "-lh0-", 0}, {"link|t", {}, "-lhd-", 2, {}, 'U', 0, 0120777},
                            {"a.txt", "1"}, {"a.txt", "2"}, {"b.txt", "b"}}),
         0, 3,
         "2 個のファイルを解凍しませんでした。\r../up.txt" + outside + "\rlink（リンク）\r"
         "同じ名前が書庫に重ねてあったため、1 個を別の名前で解凍しました。\ra.txt → a (2).txt",
         {"a (2).txt=2", "a.txt=1", "b.txt=b"}},
        {"damaged.zip", damagedZip, 0, -1, "1 個のファイルを解凍しませんでした。\rbad.txt（データが壊れています）",
         {"a.txt=a"}},
        {"escaping.zip", TestArchives::zip(escaping), 0, 1, escapingReport, {"ok.txt=ok"}},
        {"cut.lzh", cutLzh, 0, -1,
         "1 個のファイルを解凍しませんでした。\rsecond.txt（データが途中で切れています）\r"
         "書庫が second.txt の後で壊れていて、その先は読めませんでした。",
         {"first.txt=first"}},
        {"bomb.zip", TestArchives::zip(zipBomb), 9, -1, noRoom, {}},
        {"bomb.lzh", TestArchives::lzh(lzhBomb), 9, -1, noRoom, {}},
        {"grows.zip", TestArchives::zip({{"first.txt", "first"}, growing}), 9, -1,
         "grows.bin が書庫に記された大きさを超えたため、解凍を中止しました。", {}},
        {"cancelled.lzh", TestArchives::lzh({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}}), 9, -1, {}, {},
         &cancelAtSecond},
    };
    for (const Outcome& row : cases)
        expect(row);
    EXPECT_EQ(cancelAtSecond.seen, QStringList({"a.txt", "b.txt"}));
}

// A ZIP whose directory lies beyond the file or overflows is refused; one
// whose directory cannot be used is read header by header, and what is lost
// is named; an LZH's report shows cleaned paths and tells unsupported
// methods from damage.
TEST_F(ExtractArchiveTest, CraftedArchivesAreRefusedOrReadAsFarAsTheyAreSound)
{
    const QByteArray entry = le(0x02014b50, 4) + le(20, 2) + le(20, 2) + le(0, 4) + le(0, 4) + le(0, 4)
                             + le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) + le(5, 2) + le(4, 2) + le(0, 8)
                             + le(0x20, 4) + le(0, 4) + "a.txt" + le(1, 2) + le(0, 2);
    const QByteArray badExtra("\x01\x02", 2);  // too short for an extra field's header
    QByteArray cutDirectory = TestArchives::zip({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    cutDirectory.truncate(cutDirectory.indexOf("PK\x01\x02") + 60);
    QByteArray cutData = TestArchives::zip({{"a.txt", "a"}, {"b.txt", QByteArray(500, 'b')}, {"c.txt", "c"}});
    cutData.truncate(cutData.indexOf("bbbbb") + 100);
    QByteArray encrypted = TestArchives::zip({{"a.txt", "a"}});
    encrypted[6] = char(0x01);
    encrypted[7] = char(0x20);  // the first local header: encrypted, with its directory
    const TestArchives::LzhMember damaged{"hello.txt", "hello", "-lh0-", 2, "subdir\xFF" "subdir2\xFF\xFF", 'M', 0, 0,
                                          true};
    const QString notWritten = QStringLiteral("1 個のファイルを解凍しませんでした。\r");
    const Outcome cases[] = {
        {"overflowing-size.zip", zip64End(10, 0x7FFFFFFFFFFFFFFB), 9, -1, {}, {}},
        {"offset-past-the-end.zip", zip64End(0xFFFFFFFFFFFFFF00, 10), 9, -1, {}, {}},
        {"record-past-the-end.zip", zip64End(0, 0, 0x8000000000000000), 9, -1, {}, {}},
        {"directory-larger-than-the-file.zip", zip64End(0, 1000), 9, -1, {}, {}},
        {"escaped-sizes-without-a-zip64-field.zip",
         entry + le(0x06054b50, 4) + le(0, 4) + le(1, 2) + le(1, 2) + le(entry.size(), 4) + le(0, 4) + le(0, 2), 9, -1,
         {}, {}},
        {"encrypted.zip", encrypted, 9, -1, "書庫のファイル一覧が暗号化されているため、解凍できません。", {}},
        {"extra.zip",
         TestArchives::zip({{"a.txt", "a"}, {"p.txt", "p", false, false, 0, -1, false, -1, badExtra}, {"b.txt", "b"}}),
         0, 3, {}, {"a.txt=a", "b.txt=b", "p.txt=p"}},
        {"link.zip",
         TestArchives::zip({{"a.txt", "a"}, {"lnk", "target", false, false, 0120777, -1, false, 6}, {"b.txt", "b"}}), 0,
         2, notWritten + "lnk（リンク）", {"a.txt=a", "b.txt=b"}},
        {"cutdirectory.zip", cutDirectory, 0, 3, {}, {"a.txt=a", "b.txt=b", "c.txt=c"}},
        {"cutdata.zip", cutData, 0, -1,
         notWritten + "b.txt（データが途中で切れています）\r書庫が b.txt の後で壊れていて、その先は読めませんでした。",
         {"a.txt=a"}},
        {"report.lzh",
         TestArchives::lzh({damaged, {"symlink1|..\\file1", {}, "-lhd-", 2, "dir2", 'U', 0, 0120777},
                            {"old.txt", "lh2 data", "-lh2-", 1}, {"lhark.txt", "not standard lh7 data", "-lh7-", 1},
                            {"ok.txt", "ok"}}),
         0, -1,
         "4 個のファイルを解凍しませんでした。\rsubdir/subdir2/hello.txt（データが壊れています）\rdir2/symlink1（リンク）\r"
         "old.txt（対応していない圧縮形式）\rlhark.txt（対応していない圧縮形式か、データが壊れています）",
         {"ok.txt=ok", "subdir/subdir2/"}},
    };
    for (const Outcome& row : cases)
        expect(row);
}

// The members of the archive open before count as room: they go before the
// next archive is extracted.
TEST_F(ExtractArchiveTest, TheRoomCheckedCountsTheWorkFolderEmptied)
{
    const TestMount disk(tree, TestMount::Kind::Tmpfs, "disk");
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs mount possible here";
    melt = tree.makeFolder("disk/MELT");
    tree.writeFile("disk/MELT/old.bin", QByteArray(5 << 20, 'o'));
    RecordedProgress emptying(0, -1);
    emptying.workFolder = melt;
    const QByteArray big(3 << 20, 'n');
    MarlowFuncUtility::ExtractArchive(tree.writeFile("in/new.zip", TestArchives::zip({{"new.bin", big}})), melt + "/",
                                      count, result, &emptying);
    EXPECT_EQ(result, 0) << messages.texts().join('|').toStdString();
    EXPECT_EQ(tree.names("disk/MELT"), QStringList({"new.bin"}));
    EXPECT_EQ(tree.readFile("disk/MELT/new.bin"), big);
}

// The work folder on a stick, as beside a program run from one: letter-case
// twins are both kept, and names the stick refuses get usable ones.
TEST_F(ExtractArchiveTest, MembersLandUnderNamesAStickTakes)
{
    const TestMount stick(tree, TestMount::Kind::Exfat, "stick");
    if (!stick.mounted())
        GTEST_SKIP() << "no exFAT mount possible here";
    melt = tree.makeFolder("stick/MELT");
    extract("fat.zip", TestArchives::zip({{"12:30 メモ.txt", "m", true}, {"what?.txt", "q"}, {"A.TXT", "A"},
                                          {"a.txt", "a"}, {"x|y/b.txt", "b"}}));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(tree.names("stick/MELT"), QStringList({"12：30 メモ.txt", "A.TXT", "a (2).txt", "what？.txt", "x｜y"}));
    EXPECT_EQ(tree.readFile("stick/MELT/x｜y/b.txt"), "b");
}

TEST(ExtractionRoom, KeepsFivePercentOfTheDiskAtMostOneGibFree)
{
    constexpr qint64 GiB = qint64(1) << 30;
    const struct { qint64 declared, free, disk; bool fits; } cases[] = {
        {9 * GiB, 9 * GiB + GiB / 2, 10 * GiB, true}, {9 * GiB + 1, 9 * GiB + GiB / 2, 10 * GiB, false},
        {49 * GiB, 50 * GiB, 1000 * GiB, true}, {49 * GiB + 1, 50 * GiB, 1000 * GiB, false}, {0, 0, 0, true}};
    for (const auto& row : cases)
        EXPECT_EQ(ExtractionRoom::fits(row.declared, row.free, row.disk), row.fits) << row.declared;
}

TEST_F(ExtractArchiveTest, AMissingLibraryIsReportedAndTheOtherKindStillExtracts)
{
    const QByteArray lzh = TestArchives::lzh({{"a.txt", "a"}}), zip = TestArchives::zip({{"a.txt", "a"}});
    const QString missing = QStringLiteral("該当するDLLがありません。");
    Unpack32::setLibraryFileNames("libvelda-no-such.so.0", "libarchive.so.13");
    expect({"a.lzh", lzh, 9, -1, missing, {}});
    expect({"a.zip", zip, 0, 1, {}, {"a.txt=a"}});
    Unpack32::setLibraryFileNames("liblhasa.so.0", "libvelda-no-such.so.13");
    expect({"a.zip", zip, 9, -1, missing, {}});
    expect({"a.lzh", lzh, 0, 1, {}, {"a.txt=a"}});
    Unpack32::setLibraryFileNames("liblhasa.so.0", "libarchive.so.13");
}

// The totals come from the headers before the first member, folders not
// counted; a big member reports its data as it is written, and a stop within
// it leaves the work folder empty, without a message.
TEST_F(ExtractArchiveTest, ProgressFollowsTheDataAndStopsWithinABigMember)
{
    const QByteArray big(3 * 1024 * 1024, 'b');
    const QByteArray lzh = TestArchives::lzh(
        {{"a.txt", "a", "-lh5-"}, {{}, {}, "-lhd-", 2, "sub"}, {"big.bin", big, "-lh5-", 2, "sub"}});
    const QByteArray zip = TestArchives::zip({{"a.txt", "a"}, {"sub/", {}}, {"sub/big.bin", big, false, true}});
    for (const auto& [name, bytes] : {std::make_pair("Photos.LZH", lzh), std::make_pair("photos.Zip", zip)}) {
        for (const qint64 stopAt : {qint64(1024 * 1024), qint64(-1)}) {
            SCOPED_TRACE(stopAt);
            RecordedProgress p(0, stopAt);
            const bool stopped = stopAt > 0;
            expect({name, bytes, qint16(stopped ? 9 : 0), stopped ? -1 : 2, {},
                    stopped ? QStringList() : QStringList({"a.txt=a", entry("sub/big.bin", big)}), &p});
            EXPECT_EQ(QVector<qint64>({p.plannedFiles, p.plannedBytes, p.filesDone, p.bytesDone}),
                      QVector<qint64>({2, big.size() + 1, stopped ? 1 : 2, stopped ? 1 : big.size() + 1}));
            EXPECT_TRUE(stopped ? p.largestWritten >= stopAt && p.largestWritten < big.size()
                                : p.largestWritten == big.size()) << p.largestWritten;
        }
    }
}
