#include "archive/archive_command_line.h"
#include "archive/archive_work_folder.h"
#include "archive/libarchive_library.h"
#include "archive/libarchive_member_reader.h"
#include "archive/member_extraction.h"
#include "archive/unpack32.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

using TestArchives::cp932;
using Unpack32::Code::NotArchive;

namespace {

// Each call goes to the archiver that the file's extension names.
class Unpack32Test : public ::testing::Test {
protected:
    static bool isLzh(const QString& path) { return path.endsWith(QLatin1String(".lzh")); }
    int extract(const QString& path, const char* command = nullptr, const QString& destination = QString())
    {
        const QByteArray line = ArchiveCommandLine::build(command ? command : isLzh(path) ? "e" : "-xs", path,
                                                          destination.isEmpty() ? melt + "/" : destination);
        output.fill('\0', 30000);
        return (isLzh(path) ? Unpack32::Unlha : Unpack32::UnZip)(0, line.constData(), output.data(), output.size());
    }
    int count(const QString& path)
    {
        return (isLzh(path) ? Unpack32::UnlhaGetFileCount : Unpack32::UnZipGetFileCount)(QFile::encodeName(path));
    }
    bool check(const QString& path)
    {
        return (isLzh(path) ? Unpack32::UnlhaCheckArchive : Unpack32::UnZipCheckArchive)(QFile::encodeName(path),
                                                                                        Unpack32::CheckRapid);
    }

    TempTree tree;
    QString melt = tree.makeFolder("MELT");
    QByteArray output;
};

}  // namespace

TEST_F(Unpack32Test, LzhOfEveryHeaderLevelStoredAndCompressedKeepsJapaneseNamesAndFolders)
{
    QByteArray big;  // more than one -lh5- block
    for (int i = 0; i < 70000; ++i)
        big += char(i * 7 + i / 251);
    const QString path = tree.writeFile("in/a.lzh", TestArchives::lzh({
        {cp932("フォルダ\\表示.TXT"), "zero", "-lh0-", 0},
        {cp932("アイウ.TXT"), "one", "-lh5-", 1, cp932("資料")},
        {cp932("ソフト.txt"), big, "-lh5-", 2, cp932("資料") + '\xFF' + cp932("表")},
        {"日本語.txt", "utf8", "-lh0-", 2, {}, 'U', 65001},
        {{}, {}, "-lhd-", 2, cp932("空のフォルダ")}}));
    EXPECT_TRUE(check(path));
    ASSERT_EQ(extract(path), Unpack32::Code::Success) << output.constData();
    EXPECT_EQ(tree.readFile("MELT/フォルダ/表示.TXT"), "zero");
    EXPECT_EQ(tree.readFile("MELT/資料/アイウ.TXT"), "one");
    EXPECT_EQ(tree.readFile("MELT/資料/表/ソフト.txt"), big);
    EXPECT_EQ(tree.readFile("MELT/日本語.txt"), "utf8");
    EXPECT_TRUE(QFileInfo(tree.path("MELT/空のフォルダ")).isDir());
    EXPECT_EQ(tree.names("MELT"), QStringList({"フォルダ", "日本語.txt", "空のフォルダ", "資料"}));
    EXPECT_EQ(count(path), 4);
}

TEST_F(Unpack32Test, ZipFromJapaneseWindowsOrWithUtf8NamesKeepsNamesAndFolders)
{
    const QByteArray text = QByteArray("写真の説明").repeated(200);
    const QString path = tree.writeFile("in/a.zip", TestArchives::zip({
        {cp932("資料/"), {}},
        {cp932("資料/表示ソフト.TXT"), "stored"},
        {cp932("資料\\アイウ.txt"), text, false, true},
        {"写真/旅行.jpg", "utf8", true, true},
        {cp932("空/"), {}}}));
    EXPECT_TRUE(check(path));
    ASSERT_EQ(extract(path), Unpack32::Code::Success) << output.constData();
    EXPECT_EQ(tree.readFile("MELT/資料/表示ソフト.TXT"), "stored");
    EXPECT_EQ(tree.readFile("MELT/資料/アイウ.txt"), text);
    EXPECT_EQ(tree.readFile("MELT/写真/旅行.jpg"), "utf8");
    EXPECT_EQ(tree.names("MELT"), QStringList({"写真", "空", "資料"}));
    EXPECT_EQ(count(path), 3);
}

TEST_F(Unpack32Test, NothingIsWrittenOutsideTheFolderNorAsALinkDeviceOrSetUserIdFile)
{
    const QByteArray outside = QFile::encodeName(tree.makeFolder("outside"));
    const QString lzh = tree.writeFile("in/a.lzh", TestArchives::lzh({
        {"..\\escape.txt", "x", "-lh0-", 0},
        {"\\absolute.txt", "x", "-lh0-", 0},
        {"escape2.txt", "x", "-lh0-", 2, ".."},
        {"a\\..\\..\\escape3.txt", "x", "-lh0-", 0},
        {"link|" + outside, {}, "-lhd-", 2, {}, 'U', 0, 0120777},
        {"link/through.txt", "inside"},
        {"tool", "#!", "-lh0-", 2, {}, 'U', 0, 04755}}));
    const QString zip = tree.writeFile("in/a.zip", TestArchives::zip({
        {"../evil.txt", "x"}, {"/zabsolute.txt", "x"}, {"a/../../evil2.txt", "x"}, {"C:/windows.txt", "x"},
        {"lnk", outside, false, false, 0120777}, {"lnk/pwned.txt", "inside"}, {"device", {}, false, false, 020644}}));
    EXPECT_EQ(extract(lzh), Unpack32::Code::Success);
    EXPECT_EQ(count(lzh), 3);
    EXPECT_EQ(extract(zip), Unpack32::Code::Success);
    EXPECT_EQ(count(zip), 2);
    EXPECT_EQ(tree.names(), QStringList({"MELT", "in", "outside"}));
    EXPECT_TRUE(tree.names("outside").isEmpty());
    EXPECT_EQ(tree.names("MELT"), QStringList({"absolute.txt", "link", "lnk", "tool", "zabsolute.txt"}));
    EXPECT_EQ(tree.readFile("MELT/link/through.txt"), "inside");
    EXPECT_EQ(tree.readFile("MELT/lnk/pwned.txt"), "inside");
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(tree.path("MELT/tool")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_ISUID | S_ISGID), 0u);
}

TEST_F(Unpack32Test, LeadingSeparatorsUnmarkedUtf8AndNamesWithCommentsLandUnderTheirNames)
{
    const QString lzh = tree.writeFile("in/a.lzh", TestArchives::lzh({
        {"\\root\\lead.txt", "lead", "-lh0-", 0},
        {QByteArray("amiga.txt\0a comment", 19), "zero", "-lh0-", 0},
        {QByteArray("amiga1.txt\0note", 15), "one", "-lh5-", 1},
        {"/slash.txt", "two", "-lh0-", 2}}));
    const QString zip = tree.writeFile("in/a.zip", TestArchives::zip({
        {"/zabs.txt", "abs"},
        {"\\zback.txt", "back"},
        {QStringLiteral("写真/旅行.txt").toUtf8(), "info-zip", false, true},
        {"\xFF\xFE.txt", "neither"}}));
    ASSERT_EQ(extract(lzh), Unpack32::Code::Success) << output.constData();
    ASSERT_EQ(extract(zip), Unpack32::Code::Success) << output.constData();
    const struct {
        QString path;
        QByteArray data;
    } members[] = {{"root/lead.txt", "lead"}, {"amiga.txt", "zero"}, {"amiga1.txt", "one"}, {"slash.txt", "two"},
                   {"zabs.txt", "abs"}, {"zback.txt", "back"}, {QStringLiteral("写真/旅行.txt"), "info-zip"},
                   {QStringLiteral("\uFFFD\uFFFD.txt"), "neither"}};
    for (const auto& member : members)
        EXPECT_EQ(tree.readFile("MELT/" + member.path), member.data) << member.path.toStdString();
    EXPECT_EQ(count(lzh), 4);
    EXPECT_EQ(count(zip), 4);
}

TEST_F(Unpack32Test, ExtractedFilesGetTheUsersDefaultMode)
{
    const mode_t previous = ::umask(027);
    extract(tree.writeFile("in/a.lzh", TestArchives::lzh({{"plain.lzh.txt", "a"},
                                                            {"private.txt", "b", "-lh0-", 2, {}, 'U', 0, 0600},
                                                            {"open.txt", "c", "-lh5-", 2, {}, 'U', 0, 0777}})));
    extract(tree.writeFile("in/a.zip", TestArchives::zip({{"zip.txt", "d", false, false, 0100600}})));
    ::umask(previous);
    for (const char* name : {"plain.lzh.txt", "private.txt", "open.txt", "zip.txt"}) {
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(tree.path(QString("MELT/") + name)).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u) << name;
    }
}

TEST_F(Unpack32Test, ADamagedMemberFailsAndLeavesNoPartialFile)
{
    TestArchives::LzhMember damaged{"damaged.txt", "data", "-lh5-"};
    damaged.damagedCrc = true;
    QByteArray zip = TestArchives::zip({{"damaged.txt", "0123456789"}, {"good.txt", "good"}});
    zip[zip.indexOf("0123456789") + 3] = 'X';
    for (const QString& path : {tree.writeFile("in/a.lzh", TestArchives::lzh({damaged, {"good.txt", "good"}})),
                                tree.writeFile("in/a.zip", zip)}) {
        ArchiveWorkFolder::makeEmpty(melt);
        EXPECT_EQ(extract(path), Unpack32::Code::MemberFailed) << path.toStdString();
        EXPECT_EQ(tree.names("MELT"), QStringList({"good.txt"})) << path.toStdString();
    }
}

TEST_F(Unpack32Test, WhatIsNoArchiveOfTheFormatIsRefusedAndACutOneReadAsFarAsItGoes)
{
    QByteArray cut = TestArchives::lzh({{"first.txt", "first"}, {"second.txt", QByteArray(5000, 'y')}});
    cut.chop(1000);
    const struct {
        const char* name;
        QByteArray bytes;
        int result;
    } cases[] = {{"text.lzh", "just some text, not an archive at all", NotArchive},
                 {"zip.lzh", TestArchives::zip({{"a.txt", "a"}}), NotArchive},
                 {"empty.lzh", "", NotArchive},
                 {"text.zip", "PK but not really an archive", NotArchive},
                 {"lzh.zip", TestArchives::lzh({{"a.txt", "a"}}), NotArchive},
                 {"cut.lzh", cut, Unpack32::Code::ArchiveBroken}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const QString path = tree.writeFile(QString("in/") + row.name, row.bytes);
        EXPECT_EQ(check(path), row.result != NotArchive);
        EXPECT_EQ(extract(path), row.result);
        EXPECT_EQ(count(path) == 0, row.result == NotArchive);
    }
    EXPECT_EQ(extract(tree.path("in/missing.lzh")), NotArchive);
    EXPECT_EQ(tree.names("MELT"), QStringList({"first.txt"}));
}

TEST_F(Unpack32Test, AWrongCommandOrAMissingDestinationExtractsNothing)
{
    const QString lzh = tree.writeFile("in/a.lzh", TestArchives::lzh({{"a.txt", "a"}}));
    const QString zip = tree.writeFile("in/a.zip", TestArchives::zip({{"a.txt", "a"}}));
    EXPECT_EQ(extract(lzh, "-xs"), Unpack32::Code::CommandLine);
    EXPECT_EQ(extract(zip, "e"), Unpack32::Code::CommandLine);
    EXPECT_EQ(extract(lzh, nullptr, tree.path("nowhere/")), Unpack32::Code::OutputFolder);
    EXPECT_EQ(extract(zip, nullptr, tree.path("nowhere/")), Unpack32::Code::OutputFolder);
    EXPECT_TRUE(tree.names("MELT").isEmpty());
}

TEST_F(Unpack32Test, LibarchiveReadsTheSameJapaneseLzhNames)
{
    const QString path = tree.writeFile("in/a.lzh", TestArchives::lzh({
        {cp932("フォルダ\\表示.TXT"), "zero", "-lh0-", 0},
        {cp932("ソフト.txt"), "two", "-lh5-", 2, cp932("資料")}}));
    LibarchiveLibrary library;
    ASSERT_TRUE(library.load("libarchive.so.13"));
    LibarchiveMemberReader reader(library, path, LibarchiveMemberReader::Format::Lzh);
    const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(reader, melt);
    EXPECT_TRUE(outcome.end == MemberExtraction::Outcome::End::Complete && outcome.skipped.isEmpty())
        << outcome.report.constData();
    EXPECT_EQ(tree.readFile("MELT/フォルダ/表示.TXT"), "zero");
    EXPECT_EQ(tree.readFile("MELT/資料/ソフト.txt"), "two");
}
