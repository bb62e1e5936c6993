#include "archive/extract_archive.h"

#include "archive/archive_work_folder.h"
#include "archive/extraction_messages.h"
#include "archive/unpack32.h"
#include "platform/message_box.h"
#include "platform/path_parts.h"
#include "shared/result_value.h"

namespace MarlowFuncUtility {

namespace {

// The load check of one archiver library and the format it extracts.
struct Archiver {
    int (*getVersion)();
    Unpack32::Format format;
};

const Archiver Lzh{Unpack32::UnlhaGetVersion, Unpack32::Format::Lzh};
const Archiver Zip{Unpack32::UnZipGetVersion, Unpack32::Format::Zip};

}  // namespace

void ExtractArchive(const QString& archivePath, const QString& destinationFolder, qint32& memberCount,
                    qint16& result, ExtractionProgress* progress)
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

    // The check, the extraction and the count of the classic calls, in one run.
    const Unpack32::Extraction extraction =
        Unpack32::extract(archiver->format, archivePath, destinationFolder, progress);
    switch (extraction.code) {
    case Unpack32::Code::NotArchive:
    case Unpack32::Code::OutputFolder: result = ResultValue::Stop; return;
    case Unpack32::Code::EncryptedDirectory:
        platform::showMessage(ExtractionMessages::encryptedDirectory());
        result = ResultValue::Stop;
        return;
    case Unpack32::Code::NoRoom:
        platform::showMessage(ExtractionMessages::noRoom(extraction.declaredBytes, extraction.freeBytes));
        result = ResultValue::Stop;
        return;
    case Unpack32::Code::MemberTooLarge:
    case Unpack32::Code::Cancelled:
        // Half an archive is worse than none: the work folder is left empty.
        ArchiveWorkFolder::makeEmpty(platform::withoutTrailingSeparators(destinationFolder));
        if (extraction.code == Unpack32::Code::MemberTooLarge)
            platform::showMessage(ExtractionMessages::memberTooLarge(extraction.outcome.tooLargeMember));
        result = ResultValue::Stop;
        return;
    case Unpack32::Code::Success: memberCount = extraction.outcome.filesWritten; break;
    default: break;
    }
    const QString report = ExtractionMessages::report(extraction.outcome);
    if (!report.isEmpty())
        platform::showMessage(report);
}

}  // namespace MarlowFuncUtility
