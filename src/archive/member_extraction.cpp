#include "archive/member_extraction.h"

#include "archive/extraction_folder.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"

#include <QPair>
#include <QSet>
#include <QVector>

#include <algorithm>
#include <limits>
#include <unistd.h>

namespace MemberExtraction {

namespace {

void note(QByteArray& report, const char* what, const QString& name)
{
    report += what;
    report += name.toUtf8();
    report += '\n';
}

SkipReason reasonFor(MemberWrite written)
{
    switch (written) {
    case MemberWrite::Damaged: return SkipReason::Damaged;
    case MemberWrite::Encrypted: return SkipReason::Encrypted;
    case MemberWrite::NoSpace: return SkipReason::NoSpace;
    default: return SkipReason::NotWritable;
    }
}

// Writes the files of one run, keeping the folder of the last one: members
// come folder by folder, and each folder is made and checked once.
class FileWriter {
public:
    FileWriter(MemberReader& reader, const QString& destinationFolder)
        : reader_(reader), destinationFolder_(destinationFolder)
    {
    }

    MemberWrite write(const QStringList& parts)
    {
        const QStringList folderParts = parts.mid(0, parts.size() - 1);
        if (folder_.isEmpty() || folderParts != folderParts_) {
            folder_ = ExtractionFolder::makeFolders(destinationFolder_, folderParts);
            folderParts_ = folderParts;
        }
        if (folder_.isEmpty())
            return MemberWrite::NotWritable;
        const QString path = platform::joinPath(folder_, parts.last());
        const MemberWrite written = reader_.extractTo(path);
        if (written != MemberWrite::Written)
            ::unlink(platform::encodeFileName(path).constData());
        return written;
    }

private:
    MemberReader& reader_;
    const QString destinationFolder_;
    QStringList folderParts_;
    QString folder_;
};

// Where a member may go, or why it may not: nothing when it is only the
// extraction folder itself.
struct Decision {
    QStringList parts;
    bool skip = false;
    SkipReason reason = SkipReason::UnusableName;
};

Decision decide(const ArchiveMember& member)
{
    const MemberNames::Place place = MemberNames::placeOf(member.name);
    if (place.problem == MemberNames::Place::Problem::LeavesFolder)
        return {{}, true, SkipReason::LeavesFolder};
    if (place.problem == MemberNames::Place::Problem::Unusable)
        return {{}, true, SkipReason::UnusableName};
    switch (member.kind) {
    case ArchiveMember::Kind::Link: return {{}, true, SkipReason::Link};
    case ArchiveMember::Kind::Special: return {{}, true, SkipReason::Device};
    case ArchiveMember::Kind::File:
        if (place.parts.isEmpty())
            return {{}, true, SkipReason::UnusableName};
        if (member.encrypted)
            return {{}, true, SkipReason::Encrypted};
        break;
    case ArchiveMember::Kind::Folder: break;
    }
    return {place.parts, false, SkipReason::UnusableName};
}

// The places with a file at the end of a run: the last write of a place
// decides, as a later member of the same name replaces the file or, failing,
// leaves none.
int filesThere(QVector<QPair<QString, bool>>& writes)
{
    std::stable_sort(writes.begin(), writes.end(),
                     [](const QPair<QString, bool>& a, const QPair<QString, bool>& b) { return a.first < b.first; });
    int files = 0;
    for (int i = 0; i < writes.size(); ++i) {
        if ((i + 1 == writes.size() || writes.at(i + 1).first != writes.at(i).first) && writes.at(i).second)
            ++files;
    }
    return files;
}

}  // namespace

bool Outcome::memberFailed() const
{
    for (const SkippedMember& member : skipped) {
        switch (member.reason) {
        case SkipReason::Damaged:
        case SkipReason::Encrypted:
        case SkipReason::NoSpace:
        case SkipReason::NotWritable: return true;
        default: break;
        }
    }
    return false;
}

Survey survey(MemberReader& reader)
{
    Survey result;
    ArchiveMember member;
    MemberReader::Step step;
    while ((step = reader.next(member)) == MemberReader::Step::Member) {
        result.readable = true;
        if (member.kind != ArchiveMember::Kind::File)
            continue;
        // A size the header does not give (the largest value) is bounded while writing instead.
        const qint64 size = member.declaredSize == std::numeric_limits<qint64>::max() ? 0 : member.declaredSize;
        result.declaredBytes = size > std::numeric_limits<qint64>::max() - result.declaredBytes
                                   ? std::numeric_limits<qint64>::max()
                                   : result.declaredBytes + size;
    }
    result.readsToEnd = step == MemberReader::Step::End;
    result.readable = result.readable || result.readsToEnd;
    return result;
}

Outcome extractAll(MemberReader& reader, const QString& destinationFolder, const BeforeMember& beforeMember)
{
    Outcome outcome;
    QVector<QPair<QString, bool>> writes;  // each file place, and whether the file is there afterwards
    FileWriter writer(reader, destinationFolder);
    ArchiveMember member;
    for (;;) {
        const MemberReader::Step step = reader.next(member);
        if (step == MemberReader::Step::End)
            break;
        if (step == MemberReader::Step::Broken) {
            outcome.end = Outcome::End::Broken;
            outcome.skipped.append({member.name, SkipReason::ArchiveBroken});
            note(outcome.report, "broken after: ", member.name);
            break;
        }
        ++outcome.membersRead;
        if (beforeMember && !beforeMember(member.name)) {
            outcome.end = Outcome::End::Cancelled;
            break;
        }
        const Decision decision = decide(member);
        if (decision.skip) {
            outcome.skipped.append({member.name, decision.reason});
            note(outcome.report, "skipped: ", member.name);
            continue;
        }
        if (member.kind == ArchiveMember::Kind::Folder) {
            if (ExtractionFolder::makeFolders(destinationFolder, decision.parts).isEmpty()) {
                outcome.skipped.append({member.name, SkipReason::NotWritable});
                note(outcome.report, "failed: ", member.name);
            }
            continue;
        }
        const QString place = decision.parts.join(QLatin1Char('/'));
        const MemberWrite result = writer.write(decision.parts);
        writes.append({place, result == MemberWrite::Written});
        if (result == MemberWrite::Written) {
            note(outcome.report, "", place);
            continue;
        }
        if (result == MemberWrite::TooLarge) {
            outcome.end = Outcome::End::MemberTooLarge;
            outcome.tooLargeMember = member.name;
            note(outcome.report, "too large: ", member.name);
            break;
        }
        outcome.skipped.append({member.name, reasonFor(result)});
        note(outcome.report, "failed: ", member.name);
    }
    outcome.filesWritten = filesThere(writes);
    return outcome;
}

int countFiles(MemberReader& reader)
{
    QSet<QString> files;
    ArchiveMember member;
    while (reader.next(member) == MemberReader::Step::Member) {
        const Decision decision = decide(member);
        if (member.kind == ArchiveMember::Kind::File && !decision.skip)
            files.insert(decision.parts.join(QLatin1Char('/')));
    }
    return int(files.size());
}

}  // namespace MemberExtraction
