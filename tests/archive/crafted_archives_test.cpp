#include "archive/lhasa_library.h"
#include "archive/lhasa_member_reader.h"
#include "archive/libarchive_library.h"
#include "archive/libarchive_member_reader.h"
#include "archive/member_extraction.h"
#include "extraction_test.h"

using TestArchives::cp932;
using CraftedArchiveTest = ExtractionTest;

namespace {

// liblhasa as MacLHA archives meet it: each member's data handed over
// without the MacBinary header that leads it.
namespace MacLha {
decltype(&lha_reader_next_file) realNext = nullptr;
decltype(&lha_reader_read) realRead = nullptr;
size_t headerLeft = 0;

LHAFileHeader* next(LHAReader* reader) { headerLeft = 128; return realNext(reader); }

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

TestArchives::LzhMember macBinary(const QByteArray& name, const QByteArray& dataFork, int level)
{
    QByteArray header(128, '\0');
    header[1] = char(name.size());
    header.replace(2, name.size(), name);
    header.replace(65, 8, "TEXTttxt");
    header.replace(83, 4, QByteArray::fromHex(QByteArray::number(dataFork.size(), 16).rightJustified(8, '0')));
    return {name, header + dataFork, level == 1 ? "-lh0-" : "-lh5-", level, {}, 'm'};
}

}  // namespace

TEST_F(CraftedArchiveTest, MacBinaryWrappedMembersThatLiblhasaUnwrapsExtractWholeAndDamagedOnesDoNot)
{
    LhasaLibrary library;
    ASSERT_TRUE(library.load("liblhasa.so.0"));
    MacLha::realNext = std::exchange(library.readerNextFile, MacLha::next);
    MacLha::realRead = std::exchange(library.readerRead, MacLha::read);
    QByteArray fork;
    for (int i = 0; i < 3000; ++i)
        fork += char(i * 13);
    TestArchives::LzhMember damaged = macBinary("damaged.txt", fork, 2);
    damaged.damagedCrc = true;
    const QString path = tree.writeFile("in/mac.lzh", TestArchives::lzh({
        macBinary("level1.txt", "data fork one", 1), macBinary("level2.txt", fork, 2), damaged}));
    LhasaMemberReader reader(library, path);
    const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(reader, melt);
    EXPECT_EQ(listing(), QStringList({"level1.txt=data fork one", entry("level2.txt", fork)}));
    ASSERT_EQ(outcome.skipped.size(), 1);
    EXPECT_EQ(outcome.skipped.first().name, "damaged.txt");
}

// A member beyond 4 GiB is named, never written in part; each reader keeps
// Japanese names whole, "\\" ending 表 and ソ included.
TEST_F(CraftedArchiveTest, AMemberShorterThanItsDeclaredSizeIsNamedNeverCountedAsWritten)
{
    constexpr quint64 FourGiB = quint64(1) << 32;
    TestArchives::LzhMember large{"large.bin", QByteArray(32, '\0')};
    large.size64 = FourGiB + 32;
    TestArchives::LzhMember small{"small.bin", "whole"};
    small.size64 = 5;
    const QString lzh = tree.writeFile("in/large.lzh", TestArchives::lzh({
        {cp932("フォルダ\\表示.TXT"), "zero", "-lh0-", 0}, {cp932("ソフト.txt"), "two", "-lh5-", 2, cp932("資料")},
        small, large}));
    const QString zip = tree.writeFile("in/large.zip", TestArchives::zip({
        {cp932("フォルダ/表示.TXT"), "zero"}, {cp932("資料/ソフト.txt"), "two"},
        {"small.bin", "whole"}, {"large.bin", "12345", false, false, 0, qint64(FourGiB + 5), true}}));
    LhasaLibrary lhasa;
    LibarchiveLibrary libarchive;
    ASSERT_TRUE(lhasa.load("liblhasa.so.0") && libarchive.load("libarchive.so.13"));
    using Format = LibarchiveMemberReader::Format;
    using Reason = MemberExtraction::SkipReason;
    LhasaMemberReader byLhasa(lhasa, lzh);
    LibarchiveMemberReader lzhByLibarchive(libarchive, lzh, Format::Lzh), zipByLibarchive(libarchive, zip, Format::Zip);
    const struct { const char* name; MemberReader& reader; Reason reason; } cases[] = {
        {"liblhasa", byLhasa, Reason::SizeBeyondReader},
        {"libarchive LZH", lzhByLibarchive, Reason::Cut},
        {"libarchive ZIP", zipByLibarchive, Reason::Cut},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ArchiveWorkFolder::makeEmpty(melt);
        const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(row.reader, melt);
        EXPECT_EQ(outcome.filesWritten, 3);
        EXPECT_EQ(listing(), QStringList({"small.bin=whole", "フォルダ/表示.TXT=zero", "資料/ソフト.txt=two"}));
        ASSERT_FALSE(outcome.skipped.isEmpty());
        EXPECT_EQ(outcome.skipped.first().name, "large.bin");
        EXPECT_EQ(outcome.skipped.first().reason, row.reason);
    }
}
