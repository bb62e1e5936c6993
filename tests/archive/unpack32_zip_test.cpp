#include "archive/archive_command_line.h"
#include "archive/unpack32.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using TestArchives::ZipMember;

namespace {

class ZipExtraction : public ::testing::Test {
protected:
    QString archive(const QVector<ZipMember>& members, const QString& name = QStringLiteral("in/data.zip"))
    {
        return tree_.writeFile(name, TestArchives::zip(members));
    }
    int extract(const QString& archivePath)
    {
        const QByteArray line = ArchiveCommandLine::build("-xs", archivePath, melt_ + "/");
        output_.fill('\0', 30000);
        return Unpack32::UnZip(0, line.constData(), output_.data(), output_.size());
    }
    int count(const QString& archivePath) { return Unpack32::UnZipGetFileCount(QFile::encodeName(archivePath)); }
    int check(const QString& archivePath)
    {
        return Unpack32::UnZipCheckArchive(QFile::encodeName(archivePath), Unpack32::CheckRapid);
    }

    TempTree tree_;
    QString melt_ = tree_.makeFolder("MELT");
    QByteArray output_;
};

}  // namespace

TEST_F(ZipExtraction, NamesFromJapaneseWindowsAndUtf8NamesComeOutRight)
{
    using TestArchives::cp932;
    const QByteArray text = QByteArray("写真の説明").repeated(200);
    const QString path = archive({{cp932(QStringLiteral("資料/")), {}},
                                  {cp932(QStringLiteral("資料/表示ソフト.TXT")), "stored"},
                                  {cp932(QStringLiteral("資料\\アイウ.txt")), text, false, true},
                                  {QStringLiteral("写真/旅行.jpg").toUtf8(), "utf8", true, true},
                                  {cp932(QStringLiteral("空/")), {}}});
    EXPECT_NE(check(path), 0);
    ASSERT_EQ(extract(path), Unpack32::Code::Success) << output_.constData();
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/資料/表示ソフト.TXT")), "stored");
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/資料/アイウ.txt")), text);
    EXPECT_EQ(tree_.readFile(QStringLiteral("MELT/写真/旅行.jpg")), "utf8");
    EXPECT_TRUE(QFileInfo(tree_.path(QStringLiteral("MELT/空"))).isDir());
    EXPECT_EQ(tree_.names("MELT"),
              QStringList({QStringLiteral("写真"), QStringLiteral("空"), QStringLiteral("資料")}));
    EXPECT_EQ(count(path), 3);
}

TEST_F(ZipExtraction, NothingLandsOutsideTheFolder)
{
    const QString outside = tree_.makeFolder("outside");
    const QString path = archive({{"../evil.txt", "x"},
                                  {"/absolute.txt", "x"},
                                  {"a/../../evil2.txt", "x"},
                                  {"C:/windows.txt", "x"},
                                  {"lnk", QFile::encodeName(outside), false, false, 0120777},
                                  {"lnk/pwned.txt", "inside"},
                                  {"device", {}, false, false, 0020644},
                                  {"ok.txt", "ok"}});
    EXPECT_EQ(extract(path), Unpack32::Code::Success) << output_.constData();
    EXPECT_EQ(tree_.names(), QStringList({"MELT", "in", "outside"}));
    EXPECT_TRUE(tree_.names("outside").isEmpty());
    EXPECT_EQ(tree_.names("MELT"), QStringList({"lnk", "ok.txt"}));
    EXPECT_FALSE(QFileInfo(tree_.path("MELT/lnk")).isSymLink());
    EXPECT_EQ(tree_.readFile("MELT/lnk/pwned.txt"), "inside");
    EXPECT_EQ(count(path), 2);
}

TEST_F(ZipExtraction, ADamagedMemberFailsAndLeavesNoPartialFile)
{
    QByteArray bytes = TestArchives::zip({{"damaged.txt", "0123456789"}, {"good.txt", "good"}});
    const int at = bytes.indexOf("0123456789");
    bytes[at + 3] = 'X';
    const QString path = tree_.writeFile("in/damaged.zip", bytes);
    EXPECT_EQ(extract(path), Unpack32::Code::MemberFailed);
    EXPECT_EQ(tree_.names("MELT"), QStringList({"good.txt"}));
}

TEST_F(ZipExtraction, AFileThatIsNoZipIsRefused)
{
    const QString text = tree_.writeFile("in/notes.zip", "PK but not really an archive");
    const QString lzhFile = tree_.writeFile("in/other.zip", TestArchives::lzh({{"a.txt", {}, "a", "-lh0-", 2}}));
    for (const QString& path : {text, lzhFile}) {
        EXPECT_EQ(check(path), 0) << path.toStdString();
        EXPECT_EQ(extract(path), Unpack32::Code::NotArchive);
        EXPECT_EQ(count(path), 0);
    }
    EXPECT_TRUE(tree_.names("MELT").isEmpty());
}

TEST_F(ZipExtraction, AnotherArchiversCommandIsRefused)
{
    const QString path = archive({{"a.txt", "a"}});
    char output[16];
    EXPECT_EQ(Unpack32::UnZip(0, ArchiveCommandLine::build("e", path, melt_ + "/").constData(), output, 16),
              Unpack32::Code::CommandLine);
    EXPECT_TRUE(tree_.names("MELT").isEmpty());
    EXPECT_GT(Unpack32::UnZipGetVersion(), 3000000);
}
