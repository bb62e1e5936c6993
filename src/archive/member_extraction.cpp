#include "archive/member_extraction.h"

#include "archive/extraction_folder.h"
#include "archive/member_names.h"
#include "platform/file_system.h"

#include <QFile>

namespace MemberExtraction {

namespace {

void note(QByteArray& report, const char* what, const QString& name)
{
    report += what;
    report += name.toUtf8();
    report += '\n';
}

bool writeFile(MemberReader& reader, const QString& destinationFolder, const QStringList& parts)
{
    const QString folder = ExtractionFolder::makeFolders(destinationFolder, parts.mid(0, parts.size() - 1));
    if (folder.isEmpty())
        return false;
    const QString path = platform::joinPath(folder, parts.last());
    if (!ExtractionFolder::clearFilePlace(path))
        return false;
    if (reader.extractTo(path))
        return true;
    QFile::remove(path);
    return false;
}

}  // namespace

Outcome extractAll(MemberReader& reader, const QString& destinationFolder)
{
    Outcome outcome;
    ArchiveMember member;
    for (;;) {
        const MemberReader::Step step = reader.next(member);
        if (step == MemberReader::Step::End)
            break;
        if (step == MemberReader::Step::Broken) {
            outcome.broken = true;
            note(outcome.report, "broken after: ", member.name);
            break;
        }
        const QStringList parts = MemberNames::safeParts(member.name);
        if (parts.isEmpty()) {
            note(outcome.report, "skipped (outside the folder): ", member.name);
            continue;
        }
        switch (member.kind) {
        case ArchiveMember::Kind::Folder:
            if (ExtractionFolder::makeFolders(destinationFolder, parts).isEmpty()) {
                outcome.memberFailed = true;
                note(outcome.report, "failed: ", member.name);
            }
            break;
        case ArchiveMember::Kind::File:
            if (writeFile(reader, destinationFolder, parts)) {
                note(outcome.report, "", parts.join(QLatin1Char('/')));
            } else {
                outcome.memberFailed = true;
                note(outcome.report, "failed: ", member.name);
            }
            break;
        case ArchiveMember::Kind::Link:
        case ArchiveMember::Kind::Special:
            note(outcome.report, "skipped (link or device): ", member.name);
            break;
        }
    }
    return outcome;
}

int countFiles(MemberReader& reader)
{
    int files = 0;
    ArchiveMember member;
    while (reader.next(member) == MemberReader::Step::Member) {
        if (member.kind == ArchiveMember::Kind::File && !MemberNames::safeParts(member.name).isEmpty())
            ++files;
    }
    return files;
}

bool startsReadably(MemberReader& reader)
{
    ArchiveMember member;
    return reader.next(member) != MemberReader::Step::Broken;
}

bool readsToEnd(MemberReader& reader)
{
    ArchiveMember member;
    MemberReader::Step step;
    do
        step = reader.next(member);
    while (step == MemberReader::Step::Member);
    return step == MemberReader::Step::End;
}

}  // namespace MemberExtraction
