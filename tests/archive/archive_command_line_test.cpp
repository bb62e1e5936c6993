#include "archive/archive_command_line.h"
#include "archive/archive_file_name.h"

#include <gtest/gtest.h>

TEST(ArchiveCommandLine, ReadsBackEveryPathTheFileSystemAllows)
{
    for (const QString& path : {QStringLiteral("/in/写真 集.lzh"), QStringLiteral("/in/a\"b.zip"),
                                QStringLiteral("/in/x\" \"/etc/.zip"), QStringLiteral("/in/\"\"")}) {
        const auto parts = ArchiveCommandLine::parse(ArchiveCommandLine::build("-xs", path, "/t/MELT/").constData());
        ASSERT_TRUE(parts) << path.toStdString();
        EXPECT_EQ(parts->command + '|' + parts->archivePath + '|' + parts->destinationFolder,
                  "-xs|" + path + "|/t/MELT/");
    }
    for (const char* line : {"", "e", "e \"/a.lzh\"", "e \"/a.lzh\" \"/m/\" \"/x/\"", "e \"/a.lzh\"\"/m/",
                             "e \"/a.lzh\"x \"/m/\"", "e \"\" \"/m/\"", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(ArchiveCommandLine::parse(line)) << (line ? line : "null");
}

TEST(ArchiveFileName, OnlyAZipOrLzhExtensionFromTheFirstDotCanBeExtracted)
{
    const struct { const char* name; bool canExtract; } cases[] = {
        {"Photos.ZIP", true}, {"photos.zip", true}, {".lzh", true}, {"写真.LZH", true}, {"photos.tar.gz", false},
        {"photos.lzh.bak", false}, {"photos", false}, {"a.b.lzh", false}, {"zip", false}, {"x.zipx", false}};
    for (const auto& c : cases)
        EXPECT_EQ(ArchiveFileName::canExtract(QString::fromUtf8(c.name)), c.canExtract) << c.name;
}
