#include "archive/archive_command_line.h"
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

using TestArchives::LzhMember;

namespace {

QByteArray sample(int size)
{
    QByteArray data;
    for (int i = 0; i < size; ++i)
        data += char((i * 7 + i / 251) & 0xFF);
    return data;
}

class LzhExtraction : public ::testing::Test {
protected:
    QString archive(const QVector<LzhMember>& members, const QString& name = QStringLiteral("in/data.lzh"))
    {
        return tree_.writeFile(name, TestArchives::lzh(members));
    }
    int extract(const QString& archivePath)
    {
        const QByteArray line = ArchiveCommandLine::build("e", archivePath, melt_ + "/");
        output_.fill('\0', 30000);
        return Unpack32::Unlha(0, line.constData(), output_.data(), output_.size());
    }
    int count(const QString& archivePath) { return Unpack32::UnlhaGetFileCount(QFile::encodeName(archivePath)); }
    int check(const QString& archivePath)
    {
        return Unpack32::UnlhaCheckArchive(QFile::encodeName(archivePath), Unpack32::CheckRapid);
    }

    TempTree tree_;
    QString melt_ = tree_.makeFolder("MELT");
    QByteArray output_;
};

}  // namespace

TEST_F(LzhExtraction, ReadsHeaderLevelsZeroToTwoStoredAndCompressed)
{
    const QByteArray big = sample(70000);  // more than one compressed block
    const QString path = archive({{"level0.txt", {}, "stored zero", "-lh0-", 0},
                                  {"level1.txt", {}, "compressed one", "-lh5-", 1},
                                  {"big.bin", {}, big, "-lh5-", 2},
                                  {"level2.txt", {}, "stored two", "-lh0-", 2}});
    EXPECT_NE(check(path), 0);
    EXPECT_EQ(extract(path), Unpack32::Code::Success);
    EXPECT_EQ(tree_.readFile("MELT/level0.txt"), "stored zero");
    EXPECT_EQ(tree_.readFile("MELT/level1.txt"), "compressed one");
    EXPECT_EQ(tree_.readFile("MELT/big.bin"), big);
    EXPECT_EQ(tree_.readFile("MELT/level2.txt"), "stored two");
    EXPECT_EQ(count(path), 4);
    EXPECT_TRUE(output_.contains("level1.txt\n"));
}

TEST_F(LzhExtraction, JapaneseNamesAndFoldersComeOutRight)
{
    using TestArchives::cp932;
    LzhMember level0{cp932(QStringLiteral("フォルダ\\表示.TXT")), {}, "zero", "-lh0-", 0};
    LzhMember level1{cp932(QStringLiteral("アイウ.TXT")), cp932(QStringLiteral("資料")), "one", "-lh5-", 1};
    LzhMember level2{cp932(QStringLiteral("ソフト.txt")), cp932(QStringLiteral("資料")) + '\xFF' + cp932("表"), "two",
                     "-lh5-", 2};
    LzhMember utf8{QStringLiteral("日本語.txt").toUtf8(), {}, "utf8", "-lh0-", 2, 'U', 65001};
    LzhMember folder{{}, cp932(QStringLiteral("空のフォルダ")), {}, "-lhd-", 2};
    const QString path = archive({level0, level1, level2, utf8, folder});
    ASSERT_EQ(extract(path), Unpack32::Code::Success);
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/フォルダ/表示.TXT")), "zero");
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/資料/アイウ.TXT")), "one");
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/資料/表/ソフト.txt")), "two");
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/日本語.txt")), "utf8");
    EXPECT_TRUE(QFileInfo(tree_.path(QStringLiteral("MELT/空のフォルダ"))).isDir());
    EXPECT_EQ(tree_.names("MELT"), QStringList({QStringLiteral("フォルダ"), QStringLiteral("日本語.txt"),
                                                QStringLiteral("空のフォルダ"), QStringLiteral("資料")}));
    EXPECT_EQ(count(path), 4);
}

TEST_F(LzhExtraction, NothingLandsOutsideTheFolderAndNoSetUserIdBit)
{
    tree_.makeFolder("outside");
    const QString path = archive({{"..\\escape.txt", {}, "x", "-lh0-", 0},
                                  {"\\absolute.txt", {}, "x", "-lh0-", 0},
                                  {"escape2.txt", "..", "x", "-lh0-", 2},
                                  {"a\\..\\..\\escape3.txt", {}, "x", "-lh0-", 0},
                                  {"link|" + QFile::encodeName(tree_.path("outside")), {}, {}, "-lhd-", 2, 'U',
                                   std::nullopt, quint16(0120777)},
                                  {"link/through.txt", {}, "inside", "-lh0-", 2},
                                  {"tool", {}, "#!", "-lh0-", 2, 'U', std::nullopt, quint16(04755)}});
    EXPECT_EQ(extract(path), Unpack32::Code::Success);
    EXPECT_EQ(tree_.names(), QStringList({"MELT", "in", "outside"}));
    EXPECT_TRUE(tree_.names("outside").isEmpty());
    EXPECT_EQ(tree_.names("in"), QStringList({"data.lzh"}));
    EXPECT_EQ(tree_.names("MELT"), QStringList({"link", "tool"}));
    EXPECT_TRUE(QFileInfo(tree_.path("MELT/link")).isDir());
    EXPECT_FALSE(QFileInfo(tree_.path("MELT/link")).isSymLink());
    EXPECT_EQ(tree_.readFile("MELT/link/through.txt"), "inside");
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(tree_.path("MELT/tool")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_ISUID | S_ISGID), 0u);
    EXPECT_TRUE(output_.contains("skipped (outside the folder): ..\\escape.txt"));
    EXPECT_EQ(count(path), 2);
}

TEST_F(LzhExtraction, ADamagedMemberFailsAndLeavesNoPartialFile)
{
    LzhMember damaged{"damaged.txt", {}, "data", "-lh5-", 2};
    damaged.damagedCrc = true;
    const QString path = archive({damaged, {"good.txt", {}, "good", "-lh0-", 1}});
    EXPECT_EQ(extract(path), Unpack32::Code::MemberFailed);
    EXPECT_EQ(tree_.names("MELT"), QStringList({"good.txt"}));
}

TEST_F(LzhExtraction, ATruncatedArchiveGivesWhatCanBeReadAndSaysSo)
{
    QByteArray bytes = TestArchives::lzh({{"first.txt", {}, "first", "-lh0-", 2},
                                          {"second.txt", {}, sample(5000), "-lh0-", 2}});
    bytes.chop(1000);
    const QString path = tree_.writeFile("in/cut.lzh", bytes);
    EXPECT_NE(check(path), 0);
    EXPECT_EQ(extract(path), Unpack32::Code::ArchiveBroken);
    EXPECT_EQ(tree_.names("MELT"), QStringList({"first.txt"}));
}

TEST_F(LzhExtraction, AFileThatIsNoLzhIsRefused)
{
    const QString text = tree_.writeFile("in/notes.lzh", "just some text, not an archive at all");
    const QString zipFile = tree_.writeFile("in/other.lzh", TestArchives::zip({{"a.txt", "a"}}));
    const QString empty = tree_.writeFile("in/empty.lzh", "");
    for (const QString& path : {text, zipFile, empty}) {
        EXPECT_EQ(check(path), 0) << path.toStdString();
        EXPECT_EQ(extract(path), Unpack32::Code::NotArchive);
        EXPECT_EQ(count(path), 0);
    }
    EXPECT_EQ(extract(tree_.path("in/missing.lzh")), Unpack32::Code::NotArchive);
    EXPECT_TRUE(tree_.names("MELT").isEmpty());
}

TEST_F(LzhExtraction, WrongCommandOrMissingDestinationExtractsNothing)
{
    const QString path = archive({{"a.txt", {}, "a", "-lh0-", 2}});
    char output[64];
    EXPECT_EQ(Unpack32::Unlha(0, ArchiveCommandLine::build("-xs", path, melt_ + "/").constData(), output, 64),
              Unpack32::Code::CommandLine);
    EXPECT_EQ(Unpack32::Unlha(0, "e", output, 64), Unpack32::Code::CommandLine);
    EXPECT_EQ(Unpack32::Unlha(0, ArchiveCommandLine::build("e", path, tree_.path("nowhere/")).constData(), output,
                              64),
              Unpack32::Code::OutputFolder);
    EXPECT_TRUE(tree_.names("MELT").isEmpty());
}

TEST(LzhThroughLibarchive, ReadsTheSameJapaneseNames)
{
    TempTree tree;
    const QString melt = tree.makeFolder("MELT");
    const QString path = tree.writeFile(
        "a.lzh", TestArchives::lzh({{TestArchives::cp932(QStringLiteral("フォルダ\\表示.TXT")), {}, "zero", "-lh0-", 0},
                                    {TestArchives::cp932(QStringLiteral("ソフト.txt")),
                                     TestArchives::cp932(QStringLiteral("資料")), "two", "-lh5-", 2}}));
    LibarchiveLibrary library;
    ASSERT_TRUE(library.load(QStringLiteral("libarchive.so.13")));
    LibarchiveMemberReader reader(library, path, LibarchiveMemberReader::Format::Lzh);
    const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(reader, melt);
    EXPECT_FALSE(outcome.broken) << outcome.report.constData();
    EXPECT_FALSE(outcome.memberFailed);
    EXPECT_EQ(tree.readFile(QStringLiteral("MELT/フォルダ/表示.TXT")), "zero");
    EXPECT_EQ(tree.readFile(QStringLiteral("MELT/資料/ソフト.txt")), "two");
}
