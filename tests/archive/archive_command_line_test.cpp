#include "archive/archive_command_line.h"
#include "archive/archive_file_name.h"

#include <gtest/gtest.h>

TEST(ArchiveCommandLine, IsTheCommandAndBothPathsInQuotesSeparatedByOneBlank)
{
    const QByteArray line = ArchiveCommandLine::build("e", "/in/data.lzh", "/tool/MELT/");
    EXPECT_EQ(line, QByteArray("e \"/in/data.lzh\" \"/tool/MELT/\""));
    EXPECT_EQ(line.constData()[line.size()], '\0');
    EXPECT_EQ(ArchiveCommandLine::build("-xs", "/in/a.zip", "/t/MELT/"), QByteArray("-xs \"/in/a.zip\" \"/t/MELT/\""));
}

TEST(ArchiveCommandLine, ReadsBackEveryPathTheFileSystemAllows)
{
    for (const QString& path : {QStringLiteral("/in/写真 集.lzh"), QStringLiteral("/in/a\"b.zip"),
                                QStringLiteral("/in/x\" \"/etc/.zip"), QStringLiteral("/in/\"\"")}) {
        const QByteArray line = ArchiveCommandLine::build("e", path, "/tool/MELT/");
        const auto parts = ArchiveCommandLine::parse(line.constData());
        ASSERT_TRUE(parts) << line.constData();
        EXPECT_EQ(parts->command, "e");
        EXPECT_EQ(parts->archivePath, path);
        EXPECT_EQ(parts->destinationFolder, "/tool/MELT/");
    }
}

TEST(ArchiveCommandLine, RefusesWhatIsNotACommandAndTwoQuotedPaths)
{
    for (const char* line : {"", "e", "e \"/a.lzh\"", "e \"/a.lzh\" \"/m/\" \"/x/\"", "e \"/a.lzh\"\"/m/",
                             "e \"/a.lzh\"x \"/m/\"", "e \"\" \"/m/\""}) {
        EXPECT_FALSE(ArchiveCommandLine::parse(line)) << line;
    }
    EXPECT_FALSE(ArchiveCommandLine::parse(nullptr));
}

TEST(ArchiveFileName, TheExtensionRunsFromTheFirstDot)
{
    EXPECT_EQ(ArchiveFileName::extensionOf("a.b.lzh"), ".b.lzh");
    EXPECT_EQ(ArchiveFileName::extensionOf(".lzh"), ".lzh");
    EXPECT_EQ(ArchiveFileName::extensionOf("README"), "");
    for (const char* name : {"Photos.ZIP", "photos.zip", "photos.Zip", ".lzh", "写真.LZH"})
        EXPECT_TRUE(ArchiveFileName::canExtract(QString::fromUtf8(name))) << name;
    for (const char* name : {"photos.tar.gz", "photos.lzh.bak", "photos", "a.b.lzh", "zip", "x.zipx"})
        EXPECT_FALSE(ArchiveFileName::canExtract(QString::fromUtf8(name))) << name;
}
