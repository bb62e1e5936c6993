#include "archive/archive_work_folder.h"
#include "archive/extract_archive.h"
#include "archive/lhasa_library.h"
#include "archive/lhasa_member_reader.h"
#include "archive/libarchive_library.h"
#include "archive/libarchive_member_reader.h"
#include "archive/member_extraction.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <gtest/gtest.h>

using TestArchives::cp932;
using TestArchives::le;

namespace {

// The end of a ZIP64 archive whose directory is said to lie at offset for size bytes.
QByteArray zip64End(quint64 offset, quint64 size, quint64 recordAt = 0)
{
    const QByteArray record = le(0x06064b50, 4) + le(44, 8) + le(45, 2) + le(45, 2) + le(0, 8) + le(1, 8)
                              + le(1, 8) + le(size, 8) + le(offset, 8);
    const QByteArray locator = le(0x07064b50, 4) + le(0, 4) + le(recordAt, 8) + le(1, 4);
    return record + locator + le(0x06054b50, 4) + le(0, 4) + le(0xFFFF, 2) + le(0xFFFF, 2)
           + le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) + le(0, 2);
}

class CraftedArchiveTest : public ::testing::Test {
protected:
    // Extracts as a double-click does, into an emptied work folder.
    void extract(const QString& name, const QByteArray& bytes)
    {
        ArchiveWorkFolder::makeEmpty(melt);
        messages.clear();
        count = -1;
        MarlowFuncUtility::ExtractArchive(tree.writeFile("in/" + name, bytes), melt + "/", count, result);
    }
    QString message() const { return messages.texts().join('|'); }

    ScriptedMessages messages;
    TempTree tree;
    QString melt = tree.makeFolder("MELT");
    qint32 count = -1;
    qint16 result = -1;
};

// liblhasa as MacLHA archives meet it: each member's data handed over
// without the MacBinary header that leads it.
namespace MacLha {
decltype(&lha_reader_next_file) realNext = nullptr;
decltype(&lha_reader_read) realRead = nullptr;
size_t headerLeft = 0;

LHAFileHeader* next(LHAReader* reader)
{
    headerLeft = 128;
    return realNext(reader);
}

size_t read(LHAReader* reader, void* buffer, size_t length)
{
    char header[128];
    while (headerLeft > 0) {
        const size_t got = realRead(reader, header, headerLeft);
        if (got == 0)
            return 0;
        headerLeft -= got;
    }
    return realRead(reader, buffer, length);
}
}  // namespace MacLha

QByteArray macBinary(const QByteArray& name, const QByteArray& dataFork)
{
    QByteArray header(128, '\0');
    header[1] = char(name.size());
    header.replace(2, name.size(), name);
    header.replace(65, 8, "TEXTttxt");
    for (int i = 0; i < 4; ++i)
        header[83 + i] = char(dataFork.size() >> (8 * (3 - i)));
    return header + dataFork;
}

}  // namespace

TEST_F(CraftedArchiveTest, OffsetsAndSizesBeyondTheFileAreRefusedWithoutOverflowing)
{
    const QByteArray entry = le(0x02014b50, 4) + le(20, 2) + le(20, 2) + le(0, 4) + le(0, 4) + le(0, 4)
                             + le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) + le(5, 2) + le(4, 2) + le(0, 8)
                             + le(0x20, 4) + le(0, 4) + "a.txt" + le(1, 2) + le(0, 2);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"overflowing size", zip64End(10, 0x7FFFFFFFFFFFFFFB)},
        {"offset past the end", zip64End(0xFFFFFFFFFFFFFF00, 10)},
        {"record past the end", zip64End(0, 0, 0x8000000000000000)},
        {"directory larger than the file", zip64End(0, 1000)},
        {"escaped sizes without a ZIP64 field", entry + le(0x06054b50, 4) + le(0, 4) + le(1, 2) + le(1, 2)
                                                    + le(entry.size(), 4) + le(0, 4) + le(0, 2)},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        extract("crafted.zip", row.bytes);
        EXPECT_EQ(result, 9);
        EXPECT_TRUE(tree.names("MELT").isEmpty());
    }
}

TEST_F(CraftedArchiveTest, MacBinaryWrappedMembersThatLiblhasaUnwrapsExtractWholeAndDamagedOnesDoNot)
{
    LhasaLibrary library;
    ASSERT_TRUE(library.load("liblhasa.so.0"));
    MacLha::realNext = library.readerNextFile;
    MacLha::realRead = library.readerRead;
    library.readerNextFile = MacLha::next;
    library.readerRead = MacLha::read;
    QByteArray fork;
    for (int i = 0; i < 3000; ++i)
        fork += char(i * 13);
    TestArchives::LzhMember damaged{"damaged.txt", macBinary("damaged.txt", fork), "-lh5-", 2, {}, 'm'};
    damaged.damagedCrc = true;
    const QString path = tree.writeFile("in/mac.lzh", TestArchives::lzh({
        {"level1.txt", macBinary("level1.txt", "data fork one"), "-lh0-", 1, {}, 'm'},
        {"level2.txt", macBinary("level2.txt", fork), "-lh5-", 2, {}, 'm'},
        damaged}));
    LhasaMemberReader reader(library, path);
    const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(reader, melt);
    EXPECT_EQ(tree.readFile("MELT/level1.txt"), "data fork one");
    EXPECT_EQ(tree.readFile("MELT/level2.txt"), fork);
    EXPECT_EQ(tree.names("MELT"), QStringList({"level1.txt", "level2.txt"}));
    ASSERT_EQ(outcome.skipped.size(), 1);
    EXPECT_EQ(outcome.skipped.first().name, "damaged.txt");
}

TEST_F(CraftedArchiveTest, AMemberShorterThanItsDeclaredSizeIsNamedNeverCountedAsWritten)
{
    constexpr quint64 FourGiB = quint64(1) << 32;
    TestArchives::LzhMember large{"large.bin", QByteArray(32, '\0')};
    large.size64 = FourGiB + 32;
    TestArchives::LzhMember small{"small.bin", QByteArray(40, 's')};
    small.size64 = 40;
    const QString lzh = tree.writeFile("in/large.lzh", TestArchives::lzh({small, large}));
    const QString zip = tree.writeFile("in/large.zip", TestArchives::zip({
        {"small.bin", "whole"}, {"large.bin", "12345", false, false, 0, qint64(FourGiB + 5), true}}));
    LhasaLibrary lhasa;
    LibarchiveLibrary libarchive;
    ASSERT_TRUE(lhasa.load("liblhasa.so.0") && libarchive.load("libarchive.so.13"));
    const struct {
        const char* name;
        std::function<std::unique_ptr<MemberReader>()> reader;
        MemberExtraction::SkipReason reason;
    } cases[] = {
        {"liblhasa", [&] { return std::make_unique<LhasaMemberReader>(lhasa, lzh); },
         MemberExtraction::SkipReason::SizeBeyondReader},
        {"libarchive LZH",
         [&] { return std::make_unique<LibarchiveMemberReader>(libarchive, lzh, LibarchiveMemberReader::Format::Lzh); },
         MemberExtraction::SkipReason::Cut},
        {"libarchive ZIP",
         [&] { return std::make_unique<LibarchiveMemberReader>(libarchive, zip, LibarchiveMemberReader::Format::Zip); },
         MemberExtraction::SkipReason::Cut},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ArchiveWorkFolder::makeEmpty(melt);
        const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(*row.reader(), melt);
        EXPECT_EQ(outcome.filesWritten, 1);
        EXPECT_EQ(tree.names("MELT"), QStringList({"small.bin"}));
        ASSERT_FALSE(outcome.skipped.isEmpty());
        EXPECT_EQ(outcome.skipped.first().name, "large.bin");
        EXPECT_EQ(outcome.skipped.first().reason, row.reason);
    }
}

TEST_F(CraftedArchiveTest, NamesComeFromUtf16HeadersOrTheirBytesAndMembersOfOneNameAreAllKept)
{
    TestArchives::LzhMember first{"_____.txt", "first"};
    first.unicodeName = QStringLiteral("日本.txt");
    TestArchives::LzhMember second{"_____.txt", "second"};
    second.unicodeName = QStringLiteral("語.txt");
    second.unicodeFolder = QStringLiteral("資料/表");
    TestArchives::LzhMember twin = first;
    twin.data = "twin";
    const struct {
        const char* name;
        QByteArray bytes;
        QVector<QPair<QString, QByteArray>> files;
        QString report;
    } cases[] = {
        {"utf16.lzh", TestArchives::lzh({first, second}),
         {{"日本.txt", "first"}, {"資料/表/語.txt", "second"}}, QString()},
        {"twins.lzh", TestArchives::lzh({first, twin, {"a", "file a"}, {"b.txt", "in a", "-lh0-", 2, "a"}}),
         {{"日本.txt", "first"}, {"日本 (2).txt", "twin"}, {"a", "file a"}, {"a (2)/b.txt", "in a"}},
         "同じ名前が書庫に重ねてあったため、2 個を別の名前で解凍しました。\r日本.txt → 日本 (2).txt\ra → a (2)"},
        {"bytes.lzh", TestArchives::lzh({{QStringLiteral("写真.jpg").toUtf8(), "utf8"}, {cp932("表示.txt"), "sjis"}}),
         {{"写真.jpg", "utf8"}, {"表示.txt", "sjis"}}, QString()},
        {"flagged.zip", TestArchives::zip({{cp932("資料/表示.txt"), "sjis", true}, {"ok.txt", "ok", true}}),
         {{"資料/表示.txt", "sjis"}, {"ok.txt", "ok"}}, QString()},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        extract(row.name, row.bytes);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(count, row.files.size());
        for (const auto& file : row.files)
            EXPECT_EQ(tree.readFile("MELT/" + file.first), file.second) << file.first.toStdString();
        EXPECT_EQ(message(), row.report);
    }
}

TEST_F(CraftedArchiveTest, AZipWhoseDirectoryCannotBeUsedIsReadHeaderByHeaderAndWhatIsLostIsNamed)
{
    const QByteArray badExtra("\x01\x02", 2);  // too short for an extra field's header
    const QVector<TestArchives::ZipMember> badInDirectory = {
        {"a.txt", "a"}, {"p.txt", "p", false, false, 0, -1, false, -1, badExtra}, {"b.txt", "b"}};
    QByteArray cutDirectory = TestArchives::zip({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    cutDirectory.truncate(cutDirectory.indexOf("PK\x01\x02") + 60);
    QByteArray cutData = TestArchives::zip({{"a.txt", "a"}, {"b.txt", QByteArray(500, 'b')}, {"c.txt", "c"}});
    cutData.truncate(cutData.indexOf("bbbbb") + 100);
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList files;
        QString report;
    } cases[] = {
        {"extra.zip", TestArchives::zip(badInDirectory), {"a.txt", "b.txt", "p.txt"}, QString()},
        {"link.zip", TestArchives::zip({{"a.txt", "a"}, {"lnk", "target", false, false, 0120777, -1, false, 6},
                                        {"b.txt", "b"}}),
         {"a.txt", "b.txt"}, "1 個のファイルを解凍しませんでした。\rlnk（リンク）"},
        {"cutdirectory.zip", cutDirectory, {"a.txt", "b.txt", "c.txt"}, QString()},
        {"cutdata.zip", cutData, {"a.txt"},
         "1 個のファイルを解凍しませんでした。\rb.txt（データが途中で切れています）\r"
         "書庫が b.txt の後で壊れていて、その先は読めませんでした。"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        extract(row.name, row.bytes);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(tree.names("MELT"), row.files);
        EXPECT_EQ(message(), row.report);
    }
    QByteArray encrypted = TestArchives::zip({{"a.txt", "a"}});
    encrypted[6] = char(0x01);
    encrypted[7] = char(0x20);  // the first local header: encrypted, with its directory
    extract("encrypted.zip", encrypted);
    EXPECT_EQ(result, 9);
    EXPECT_EQ(message(), "書庫のファイル一覧が暗号化されているため、解凍できません。");
}

TEST_F(CraftedArchiveTest, TheReportShowsCleanedPathsAndTellsUnsupportedMethodsFromDamage)
{
    TestArchives::LzhMember damaged{"hello.txt", "hello", "-lh0-", 2, "subdir\xFF" "subdir2\xFF\xFF"};
    damaged.damagedCrc = true;
    extract("report.lzh", TestArchives::lzh({
        damaged,
        {"symlink1|..\\file1", {}, "-lhd-", 2, "dir2", 'U', 0, 0120777},
        {"old.txt", "lh2 data", "-lh2-", 1},
        {"lhark.txt", "not standard lh7 data", "-lh7-", 1},
        {"ok.txt", "ok"}}));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(tree.names("MELT"), QStringList({"ok.txt", "subdir"}));
    EXPECT_EQ(message(), "4 個のファイルを解凍しませんでした。\r"
                         "subdir/subdir2/hello.txt（データが壊れています）\rdir2/symlink1（リンク）\r"
                         "old.txt（対応していない圧縮形式）\rlhark.txt（対応していない圧縮形式か、データが壊れています）");
}
