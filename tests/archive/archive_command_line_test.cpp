#include "archive/archive_command_line.h"
#include "archive/archive_file_name.h"

#include <gtest/gtest.h>

TEST(ArchiveCommandLine, ReadsBackEveryPathTheFileSystemAllows)
{
    EXPECT_EQ(ArchiveCommandLine::build("e", "/in/a.lzh", "/t/MELT/"), QByteArray("e \"/in/a.lzh\" \"/t/MELT/\""));
    for (const QString& path : {QStringLiteral("/in/写真 集.lzh"), QStringLiteral("/in/a\"b.zip"),
                                QStringLiteral("/in/x\" \"/etc/.zip"), QStringLiteral("/in/\"\"")}) {
        const auto parts = ArchiveCommandLine::parse(ArchiveCommandLine::build("-xs", path, "/t/MELT/").constData());
        ASSERT_TRUE(parts) << path.toStdString();
        EXPECT_EQ(parts->command, "-xs");
        EXPECT_EQ(parts->archivePath, path);
        EXPECT_EQ(parts->destinationFolder, "/t/MELT/");
    }
    for (const char* line : {"", "e", "e \"/a.lzh\"", "e \"/a.lzh\" \"/m/\" \"/x/\"", "e \"/a.lzh\"\"/m/",
                             "e \"/a.lzh\"x \"/m/\"", "e \"\" \"/m/\""})
        EXPECT_FALSE(ArchiveCommandLine::parse(line)) << line;
    EXPECT_FALSE(ArchiveCommandLine::parse(nullptr));
}

TEST(ArchiveFileName, OnlyAZipOrLzhExtensionFromTheFirstDotCanBeExtracted)
{
    for (const char* name : {"Photos.ZIP", "photos.zip", ".lzh", "写真.LZH"})
        EXPECT_TRUE(ArchiveFileName::canExtract(QString::fromUtf8(name))) << name;
    for (const char* name : {"photos.tar.gz", "photos.lzh.bak", "photos", "a.b.lzh", "zip", "x.zipx"})
        EXPECT_FALSE(ArchiveFileName::canExtract(QString::fromUtf8(name))) << name;
}
