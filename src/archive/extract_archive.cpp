#include "archive/extract_archive.h"

#include "archive/archive_command_line.h"
#include "archive/unpack32.h"
#include "platform/file_name_codec.h"
#include "platform/message_box.h"
#include "shared/result_value.h"


namespace MarlowFuncUtility {

namespace {

constexpr int OutputSize = 30000;

// The four calls of one archiver library.
struct Archiver {
    const char* command;
    int (*getVersion)();
    int (*checkArchive)(const char*, int);
    int (*extract)(quintptr, const char*, char*, int);
    int (*getFileCount)(const char*);
};

const Archiver Lzh{"e", Unpack32::UnlhaGetVersion, Unpack32::UnlhaCheckArchive, Unpack32::Unlha,
                   Unpack32::UnlhaGetFileCount};
const Archiver Zip{"-xs", Unpack32::UnZipGetVersion, Unpack32::UnZipCheckArchive, Unpack32::UnZip,
                   Unpack32::UnZipGetFileCount};

}  // namespace

void ExtractArchive(const QString& archivePath, const QString& destinationFolder, qint32& memberCount,
                    qint16& result)
{
    result = ResultValue::Proceed;
    const QString kind = archivePath.right(3);
    const Archiver* archiver = nullptr;
    if (kind.compare(QLatin1String("lzh"), Qt::CaseInsensitive) == 0)
        archiver = &Lzh;
    else if (kind.compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0)
        archiver = &Zip;
    if (!archiver) {
        result = ResultValue::Stop;
        return;
    }
    try {
        archiver->getVersion();
    } catch (const Unpack32::LibraryMissing&) {
        platform::showMessage(QStringLiteral("該当するDLLがありません。"));
        result = ResultValue::Stop;
        return;
    }

    const QByteArray commandLine = ArchiveCommandLine::build(QString::fromLatin1(archiver->command), archivePath,
                                                             destinationFolder);
    const QByteArray encodedPath = platform::encodeFileName(archivePath);
    if (archiver->checkArchive(encodedPath.constData(), Unpack32::CheckRapid) == 0) {
        result = ResultValue::Stop;
        return;
    }
    QByteArray output(OutputSize, '\0');
    const int code = archiver->extract(0, commandLine.constData(), output.data(), OutputSize);
    if (code == Unpack32::Code::Success)
        memberCount = archiver->getFileCount(encodedPath.constData());
}

}  // namespace MarlowFuncUtility
