#include "archive/unpack32.h"

#include "archive/archive_command_line.h"
#include "archive/extraction_room.h"
#include "archive/lhasa_library.h"
#include "archive/lhasa_member_reader.h"
#include "archive/libarchive_library.h"
#include "archive/extraction_progress.h"
#include "archive/libarchive_member_reader.h"
#include "archive/zip_directory.h"
#include "archive/zip_member_reader.h"
#include "platform/file_system.h"
#include "platform/file_name_codec.h"

#include <cstring>
#include <functional>
#include <memory>

namespace Unpack32 {

namespace {

struct Libraries {
    QString lhasaName = QStringLiteral("liblhasa.so.0");
    QString libarchiveName = QStringLiteral("libarchive.so.13");
    std::unique_ptr<LhasaLibrary> lhasa;
    std::unique_ptr<LibarchiveLibrary> libarchive;
};

Libraries& libraries()
{
    static Libraries loaded;
    return loaded;
}

template <class Library>
Library* loaded(std::unique_ptr<Library>& slot, const QString& fileName)
{
    if (!slot) {
        auto library = std::make_unique<Library>();
        if (library->load(fileName))
            slot = std::move(library);
    }
    return slot.get();
}

const LhasaLibrary& requireLhasa()
{
    Libraries& all = libraries();
    if (const LhasaLibrary* library = loaded(all.lhasa, all.lhasaName))
        return *library;
    throw LibraryMissing(all.lhasaName);
}

const LibarchiveLibrary* optionalLibarchive()
{
    Libraries& all = libraries();
    return loaded(all.libarchive, all.libarchiveName);
}

const LibarchiveLibrary& requireLibarchive()
{
    if (const LibarchiveLibrary* library = optionalLibarchive())
        return *library;
    throw LibraryMissing(libraries().libarchiveName);
}

using ReaderFactory = std::function<std::unique_ptr<MemberReader>()>;

// The reader to extract with and what its walk over the headers found.
struct Choice {
    ReaderFactory factory;
    MemberExtraction::Survey survey;
    bool encryptedDirectory = false;
};

// The LZH reader to use: liblhasa when it reads the whole archive and every
// size in it, else libarchive when that reads the whole archive or sizes
// liblhasa cannot; failing both, whichever can read a beginning. Nothing
// when neither sees an LZH archive.
Choice lzhReaderFor(const QString& archivePath)
{
    const LhasaLibrary& lhasa = requireLhasa();
    const LibarchiveLibrary* libarchive = optionalLibarchive();
    const ReaderFactory byLhasa = [&lhasa, archivePath] {
        return std::make_unique<LhasaMemberReader>(lhasa, archivePath);
    };
    const MemberExtraction::Survey lhasaSurvey = MemberExtraction::survey(*byLhasa());
    if (lhasaSurvey.readsToEnd && lhasaSurvey.sizesBeyondReader == 0)
        return {byLhasa, lhasaSurvey};
    if (libarchive) {
        const ReaderFactory byLibarchive = [libarchive, archivePath] {
            return std::make_unique<LibarchiveMemberReader>(*libarchive, archivePath,
                                                            LibarchiveMemberReader::Format::Lzh);
        };
        const MemberExtraction::Survey libarchiveSurvey = MemberExtraction::survey(*byLibarchive());
        if (libarchiveSurvey.readable
            && (libarchiveSurvey.readsToEnd || lhasaSurvey.sizesBeyondReader > 0 || !lhasaSurvey.readable))
            return {byLibarchive, libarchiveSurvey};
    }
    if (lhasaSurvey.readable)
        return {byLhasa, lhasaSurvey};
    return {};
}

// A ZIP's sizes and count come from its directory, so that libarchive walks
// it only once; only an archive without a usable directory is walked first.
Choice zipReaderFor(const QString& archivePath)
{
    const LibarchiveLibrary& libarchive = requireLibarchive();
    const std::optional<ZipDirectory::Directory> directory = ZipDirectory::readFile(archivePath);
    if (directory && directory->encrypted) {
        Choice choice;
        choice.encryptedDirectory = true;
        return choice;
    }
    const ReaderFactory byLibarchive = [&libarchive, archivePath, directory] {
        return std::make_unique<ZipMemberReader>(libarchive, archivePath, directory);
    };
    MemberExtraction::Survey survey;
    if (directory) {
        survey.readable = survey.readsToEnd = true;
        survey.files = directory->files;
        survey.declaredBytes = directory->declaredBytes;
        return {byLibarchive, survey};
    }
    // Without a directory, only members read header by header show a ZIP.
    survey = MemberExtraction::survey(*byLibarchive());
    return survey.members > 0 ? Choice{byLibarchive, survey} : Choice{};
}

Choice readerFor(Format format, const QString& archivePath)
{
    return format == Format::Lzh ? lzhReaderFor(archivePath) : zipReaderFor(archivePath);
}

QString pathOf(const char* archivePath)
{
    return archivePath ? platform::decodeFileName(archivePath) : QString();
}

void writeOutput(const QByteArray& report, char* output, int outputSize)
{
    if (!output || outputSize <= 0)
        return;
    const int length = qMin(int(report.size()), outputSize - 1);
    std::memcpy(output, report.constData(), size_t(length));
    output[length] = 0;
}

int extractByCommandLine(Format format, const char* command, const char* commandLine, char* output, int outputSize)
{
    writeOutput(QByteArray(), output, outputSize);
    const std::optional<ArchiveCommandLine::Parts> parts = ArchiveCommandLine::parse(commandLine);
    if (!parts || parts->command != QLatin1String(command))
        return Code::CommandLine;
    const Extraction extraction = extract(format, parts->archivePath, parts->destinationFolder);
    writeOutput(extraction.outcome.report, output, outputSize);
    return extraction.code;
}

int codeOf(const MemberExtraction::Outcome& outcome)
{
    switch (outcome.end) {
    case MemberExtraction::Outcome::End::Broken: return Code::ArchiveBroken;
    case MemberExtraction::Outcome::End::MemberTooLarge: return Code::MemberTooLarge;
    case MemberExtraction::Outcome::End::Cancelled: return Code::Cancelled;
    case MemberExtraction::Outcome::End::Complete: break;
    }
    return outcome.memberFailed() ? Code::MemberFailed : Code::Success;
}

int fileCount(const Choice& choice)
{
    return choice.factory ? MemberExtraction::countFiles(*choice.factory()) : 0;
}

}  // namespace

LibraryMissing::LibraryMissing(const QString& library)
    : std::runtime_error(("cannot load " + library).toStdString())
{
}

Extraction extract(Format format, const QString& archivePath, const QString& destinationFolder,
                   ExtractionProgress* progress)
{
    Extraction extraction;
    if (!platform::folderExists(destinationFolder)) {
        extraction.code = Code::OutputFolder;
        return extraction;
    }
    const Choice choice = readerFor(format, archivePath);
    if (!choice.factory) {
        extraction.code = choice.encryptedDirectory ? Code::EncryptedDirectory : Code::NotArchive;
        return extraction;
    }
    // planned() may free room in the destination: the room is measured after it.
    if (progress && !progress->planned(choice.survey.files, choice.survey.declaredBytes)) {
        extraction.code = Code::OutputFolder;
        return extraction;
    }
    const ExtractionRoom::Space space = ExtractionRoom::of(destinationFolder);
    if (space.known && !ExtractionRoom::fits(choice.survey.declaredBytes, space.freeBytes, space.fileSystemBytes)) {
        extraction.code = Code::NoRoom;
        extraction.declaredBytes = choice.survey.declaredBytes;
        extraction.freeBytes = space.freeBytes;
        return extraction;
    }
    extraction.outcome = MemberExtraction::extractAll(*choice.factory(), destinationFolder, progress);
    const bool nothingRead = extraction.outcome.membersRead == 0
                             && extraction.outcome.end == MemberExtraction::Outcome::End::Broken;
    extraction.code = nothingRead ? Code::NotArchive : codeOf(extraction.outcome);
    return extraction;
}

int UnlhaGetVersion()
{
    requireLhasa();
    return 0;
}

int UnlhaCheckArchive(const char* archivePath, int /*mode*/)
{
    return lzhReaderFor(pathOf(archivePath)).factory ? 1 : 0;
}

int Unlha(quintptr /*ownerWindow*/, const char* commandLine, char* output, int outputSize)
{
    return extractByCommandLine(Format::Lzh, "e", commandLine, output, outputSize);
}

int UnlhaGetFileCount(const char* archivePath)
{
    return fileCount(lzhReaderFor(pathOf(archivePath)));
}

int UnZipGetVersion()
{
    return requireLibarchive().versionNumber();
}

int UnZipCheckArchive(const char* archivePath, int /*mode*/)
{
    return zipReaderFor(pathOf(archivePath)).factory ? 1 : 0;
}

int UnZip(quintptr /*ownerWindow*/, const char* commandLine, char* output, int outputSize)
{
    return extractByCommandLine(Format::Zip, "-xs", commandLine, output, outputSize);
}

int UnZipGetFileCount(const char* archivePath)
{
    return fileCount(zipReaderFor(pathOf(archivePath)));
}

void setLibraryFileNames(const QString& lhasa, const QString& libarchive)
{
    Libraries& all = libraries();
    all.lhasaName = lhasa;
    all.libarchiveName = libarchive;
    all.lhasa.reset();
    all.libarchive.reset();
}

}  // namespace Unpack32
