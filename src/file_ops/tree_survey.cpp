#include "file_ops/tree_survey.h"

#include "platform/file_name_codec.h"
#include "platform/mount_points.h"
#include "shared/run_progress.h"

namespace FileOps {

namespace {

class Survey : public platform::FolderVisitor {
public:
    Survey(platform::EntryScope scope, RunProgress& progress) : scope_(scope), progress_(progress) {}

    bool entered(const platform::FolderHandle& folder, const QVector<platform::DirEntry>& entries) override
    {
        if (!progress_.step(folder.path()))
            return false;
        for (const platform::DirEntry& entry : entries)
            files += platform::isFileInScope(entry, scope_);
        return true;
    }

    int files = 0;

private:
    platform::EntryScope scope_;
    RunProgress& progress_;
};

platform::WalkOutcome mountedAt(const QString& path)
{
    return platform::WalkOutcome{platform::WalkOutcome::End::OtherVolume, {}, path};
}

}  // namespace

platform::WalkOutcome surveyTree(const platform::FolderHandle& top, platform::EntryScope scope,
                                 RunProgress& progress, int& files)
{
    files = 0;
    if (top.isMountRoot())
        return mountedAt(top.path());
    // A file mounted on a file looks like any other file to a walk: the
    // kernel's table of mounts tells.
    const QByteArray realTop = top.realPath();
    const QByteArray mountPoint = platform::mountPointWithin(realTop);
    if (!mountPoint.isEmpty()) {
        const QByteArray inside = mountPoint.mid(realTop.size() + 1);
        return mountedAt(platform::joinPath(top.path(), platform::decodeFileName(inside)));
    }
    Survey survey(scope, progress);
    const platform::WalkOutcome outcome = platform::walkFolderTree(top, scope, survey);
    files = survey.files;
    return outcome;
}

}  // namespace FileOps
