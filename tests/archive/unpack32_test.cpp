#include "archive/archive_command_line.h"
#include "archive/unpack32.h"
#include "extraction_test.h"

#include <QFile>

using namespace Unpack32::Code;
using Unpack32Calls = ExtractionTest;

// The classic calls of each library: the check, the extraction ("e" for LZH,
// "-xs" for ZIP, into an existing folder) and the count, each giving what it
// found. What a member's damage gives is told through the program's own
// extraction, which these calls share.
TEST_F(Unpack32Calls, TellWhatTheyFound)
{
    const QByteArray lzh = TestArchives::lzh({{"a.txt", "a"}, {{}, {}, "-lhd-", 2, "sub"}});
    const QByteArray zip = TestArchives::zip({{"a.txt", "a"}, {"sub/", {}}});
    // command: else the format's own
    const struct { const char* name; QByteArray bytes; int code, count; QStringList listing; const char* command = nullptr;
                   QString destination = "MELT/"; } cases[] = {
        {"a.lzh", lzh, Success, 1, {"a.txt=a", "sub/"}},
        {"a.zip", zip, Success, 1, {"a.txt=a", "sub/"}},
        {"cut.lzh", cutLzh, ArchiveBroken, 2, {"first.txt=first"}},
        {"zip.lzh", zip, NotArchive, 0, {}},
        {"empty.lzh", "", NotArchive, 0, {}},
        {"missing.lzh", QByteArray(), NotArchive, 0, {}},
        {"text.zip", "PK but not really an archive", NotArchive, 0, {}},
        {"command.lzh", lzh, CommandLine, 1, {}, "-xs"},
        {"nowhere.zip", zip, OutputFolder, 1, {}, nullptr, "nowhere/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ArchiveWorkFolder::makeEmpty(melt);
        const QString name = QString("in/") + c.name;
        const QString path = c.bytes.isNull() ? tree.path(name) : tree.writeFile(name, c.bytes);
        const bool isLzh = path.endsWith(".lzh");
        const QByteArray line = ArchiveCommandLine::build(c.command ? c.command : isLzh ? "e" : "-xs", path,
                                                          tree.path(c.destination));
        QByteArray output(30000, '\0');
        EXPECT_EQ((isLzh ? Unpack32::Unlha : Unpack32::UnZip)(0, line.constData(), output.data(), output.size()), c.code);
        const QByteArray file = QFile::encodeName(path);
        EXPECT_EQ((isLzh ? Unpack32::UnlhaCheckArchive : Unpack32::UnZipCheckArchive)(file, Unpack32::CheckRapid) != 0,
                  c.code != NotArchive);
        EXPECT_EQ((isLzh ? Unpack32::UnlhaGetFileCount : Unpack32::UnZipGetFileCount)(file), c.count);
        EXPECT_EQ(listing(), c.listing);
    }
}
