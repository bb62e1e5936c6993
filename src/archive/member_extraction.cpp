#include "archive/member_extraction.h"

#include "archive/extraction_progress.h"
#include "archive/member_names.h"
#include "platform/file_name_codec.h"

#include <cerrno>
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
    case MemberWrite::Cut: return SkipReason::Cut;
    case MemberWrite::Encrypted: return SkipReason::Encrypted;
    case MemberWrite::NoSpace: return SkipReason::NoSpace;
    case MemberWrite::UnsupportedOrDamaged: return SkipReason::UnsupportedOrDamaged;
    default: return SkipReason::NotWritable;
    }
}

SkipReason reasonFor(ArchiveMember::Obstacle obstacle)
{
    switch (obstacle) {
    case ArchiveMember::Obstacle::UnsupportedMethod: return SkipReason::UnsupportedMethod;
    case ArchiveMember::Obstacle::SizeBeyondReader: return SkipReason::SizeBeyondReader;
    default: return SkipReason::Unreadable;
    }
}

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
        if (member.obstacle != ArchiveMember::Obstacle::None)
            return {{}, true, reasonFor(member.obstacle)};
        if (member.encrypted)
            return {{}, true, SkipReason::Encrypted};
        break;
    case ArchiveMember::Kind::Folder: break;
    }
    return {place.parts, false, SkipReason::UnusableName};
}

MemberWrite writeFile(MemberReader& reader, const MemberPlaces::NewFile& file, platform::DataProgress* progress)
{
    if (file.fd < 0)
        return errno == ENOSPC || errno == EDQUOT ? MemberWrite::NoSpace : MemberWrite::NotWritable;
    const MemberWrite written = reader.extractTo(file.fd, progress);
    if (written != MemberWrite::Written)
        ::unlink(platform::encodeFileName(file.path).constData());
    return written;
}

}  // namespace

bool Outcome::memberFailed() const
{
    for (const SkippedMember& member : skipped) {
        switch (member.reason) {
        case SkipReason::LeavesFolder:
        case SkipReason::Link:
        case SkipReason::Device:
        case SkipReason::UnusableName:
        case SkipReason::ArchiveBroken: break;
        default: return true;
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
        ++result.members;
        if (member.obstacle == ArchiveMember::Obstacle::SizeBeyondReader)
            ++result.sizesBeyondReader;
        if (member.kind == ArchiveMember::Kind::Folder)
            continue;
        ++result.files;
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

Outcome extractAll(MemberReader& reader, const QString& destinationFolder, ExtractionProgress* progress)
{
    Outcome outcome;
    MemberPlaces places(destinationFolder);
    ArchiveMember member;
    for (;;) {
        const MemberReader::Step step = reader.next(member);
        if (step == MemberReader::Step::End)
            break;
        if (step == MemberReader::Step::Broken) {
            outcome.end = Outcome::End::Broken;
            const QString lastName = outcome.membersRead > 0 ? MemberNames::shownName(member.name) : QString();
            outcome.skipped.append({lastName, SkipReason::ArchiveBroken});
            note(outcome.report, "broken after: ", lastName);
            break;
        }
        ++outcome.membersRead;
        if (progress && !progress->beforeMember(member.name)) {
            outcome.end = Outcome::End::Cancelled;
            break;
        }
        const Decision decision = decide(member);
        const QString shown = MemberNames::shownName(member.name);
        qint64 bytesWritten = 0;
        if (decision.skip) {
            outcome.skipped.append({shown, decision.reason});
            note(outcome.report, "skipped: ", shown);
        } else if (member.kind == ArchiveMember::Kind::Folder) {
            if (places.folder(decision.parts).isEmpty()) {
                outcome.skipped.append({shown, SkipReason::NotWritable});
                note(outcome.report, "failed: ", shown);
            }
        } else {
            const MemberPlaces::NewFile file = places.createFile(decision.parts);
            const MemberWrite result = writeFile(reader, file, progress);
            if (result == MemberWrite::Cancelled) {
                outcome.end = Outcome::End::Cancelled;
                break;
            }
            if (result == MemberWrite::TooLarge) {
                outcome.end = Outcome::End::MemberTooLarge;
                outcome.tooLargeMember = shown;
                note(outcome.report, "too large: ", shown);
                break;
            }
            if (result == MemberWrite::Written) {
                ++outcome.filesWritten;
                // An unknown size (the largest value) counts as none.
                bytesWritten = member.declaredSize == std::numeric_limits<qint64>::max() ? 0 : member.declaredSize;
                note(outcome.report, "", file.shownPath);
            } else {
                outcome.skipped.append({shown, reasonFor(result)});
                note(outcome.report, "failed: ", shown);
            }
        }
        if (progress && member.kind != ArchiveMember::Kind::Folder)
            progress->fileDone(bytesWritten);
    }
    outcome.renamed = places.renamed();
    return outcome;
}

int countFiles(MemberReader& reader)
{
    int files = 0;
    ArchiveMember member;
    while (reader.next(member) == MemberReader::Step::Member) {
        if (member.kind == ArchiveMember::Kind::File && !decide(member).skip)
            ++files;
    }
    return files;
}

}  // namespace MemberExtraction
