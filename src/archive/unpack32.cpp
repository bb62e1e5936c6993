#include "archive/unpack32.h"

#include "archive/archive_command_line.h"
#include "archive/lhasa_library.h"
#include "archive/lhasa_member_reader.h"
#include "archive/libarchive_library.h"
#include "archive/libarchive_member_reader.h"
#include "archive/member_extraction.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"


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

// The LZH reader to use: liblhasa when it reads the whole archive, else
// libarchive when that does; failing both, whichever can read a beginning.
// Nothing when neither sees an LZH archive.
ReaderFactory lzhReaderFor(const QString& archivePath)
{
    const LhasaLibrary& lhasa = requireLhasa();
    const LibarchiveLibrary* libarchive = optionalLibarchive();
    ReaderFactory byLhasa = [&lhasa, archivePath] {
        return std::make_unique<LhasaMemberReader>(lhasa, archivePath);
    };
    ReaderFactory byLibarchive;
    if (libarchive) {
        byLibarchive = [libarchive, archivePath] {
            return std::make_unique<LibarchiveMemberReader>(*libarchive, archivePath,
                                                            LibarchiveMemberReader::Format::Lzh);
        };
    }
    if (MemberExtraction::readsToEnd(*byLhasa()))
        return byLhasa;
    if (byLibarchive && MemberExtraction::readsToEnd(*byLibarchive()))
        return byLibarchive;
    if (MemberExtraction::startsReadably(*byLhasa()))
        return byLhasa;
    if (byLibarchive && MemberExtraction::startsReadably(*byLibarchive()))
        return byLibarchive;
    return nullptr;
}

ReaderFactory zipReaderFor(const QString& archivePath)
{
    const LibarchiveLibrary& libarchive = requireLibarchive();
    ReaderFactory byLibarchive = [&libarchive, archivePath] {
        return std::make_unique<LibarchiveMemberReader>(libarchive, archivePath,
                                                        LibarchiveMemberReader::Format::Zip);
    };
    return MemberExtraction::startsReadably(*byLibarchive()) ? byLibarchive : nullptr;
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

int extract(const char* command, const std::function<ReaderFactory(const QString&)>& readerFor,
            const char* commandLine, char* output, int outputSize)
{
    writeOutput(QByteArray(), output, outputSize);
    const std::optional<ArchiveCommandLine::Parts> parts = ArchiveCommandLine::parse(commandLine);
    if (!parts || parts->command != QLatin1String(command))
        return Code::CommandLine;
    if (!platform::folderExists(parts->destinationFolder))
        return Code::OutputFolder;
    const ReaderFactory factory = readerFor(parts->archivePath);
    if (!factory)
        return Code::NotArchive;
    const MemberExtraction::Outcome outcome = MemberExtraction::extractAll(*factory(), parts->destinationFolder);
    writeOutput(outcome.report, output, outputSize);
    if (outcome.broken)
        return Code::ArchiveBroken;
    return outcome.memberFailed ? Code::MemberFailed : Code::Success;
}

int fileCount(const ReaderFactory& factory)
{
    return factory ? MemberExtraction::countFiles(*factory()) : 0;
}

}  // namespace

LibraryMissing::LibraryMissing(const QString& library)
    : std::runtime_error(("cannot load " + library).toStdString())
{
}

int UnlhaGetVersion()
{
    requireLhasa();
    return 0;
}

int UnlhaCheckArchive(const char* archivePath, int /*mode*/)
{
    return lzhReaderFor(pathOf(archivePath)) ? 1 : 0;
}

int Unlha(quintptr /*ownerWindow*/, const char* commandLine, char* output, int outputSize)
{
    return extract("e", lzhReaderFor, commandLine, output, outputSize);
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
    return zipReaderFor(pathOf(archivePath)) ? 1 : 0;
}

int UnZip(quintptr /*ownerWindow*/, const char* commandLine, char* output, int outputSize)
{
    return extract("-xs", zipReaderFor, commandLine, output, outputSize);
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
