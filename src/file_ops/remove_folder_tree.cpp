#include "file_ops/remove_folder_tree.h"

#include "file_ops/tree_survey.h"
#include "platform/file_name_codec.h"
#include "platform/folder_walk.h"
#include "platform/message_box.h"
#include "platform/path_parts.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

namespace MarlowFuncUtility {

namespace {

// Shows a failure that is not one of the excused outcomes; gives back the result.
qint16 reported(const platform::FsError& error, int excused = 0)
{
    if (!error.failed() || error.number == excused)
        return ResultValue::Proceed;
    platform::showError(error);
    return ResultValue::Stop;
}

qint16 reported(const platform::WalkOutcome& outcome)
{
    switch (outcome.end) {
    case platform::WalkOutcome::End::Completed: return ResultValue::Proceed;
    case platform::WalkOutcome::End::Failed: return reported(outcome.error);
    case platform::WalkOutcome::End::OtherVolume: platform::showMessage(mountedVolumeMessage(outcome.path)); break;
    case platform::WalkOutcome::End::Moved: platform::showMessage(movedFolderMessage(outcome.path)); break;
    case platform::WalkOutcome::End::Stopped: break;  // cancelled, or reported where it stopped
    }
    return ResultValue::Stop;
}

// Empties each folder once its subfolders are gone, then removes it from its
// parent.
class Removal : public platform::FolderVisitor {
public:
    Removal(platform::EntryScope scope, RunProgress& progress) : scope_(scope), progress_(progress) {}

    bool finished(const platform::FolderHandle& folder, const QVector<platform::DirEntry>& entries) override
    {
        for (const platform::DirEntry& entry : entries) {
            if (!platform::isFileInScope(entry, scope_))
                continue;
            if (!progress_.step(platform::joinPath(folder.path(), entry.name)))
                return false;
            if (reported(folder.deleteFile(entry, scope_)) > 0)
                return false;
            progress_.done();
        }
        return true;
    }

    bool left(const platform::FolderHandle& parent, const QString& name) override
    {
        return reported(parent.removeSubfolder(name), platform::ErrorNumber::PathNotFound) == 0;
    }

private:
    platform::EntryScope scope_;
    RunProgress& progress_;
};

}  // namespace

qint16 RemoveFolderTree(const QString& folder, platform::EntryScope scope, RunProgress* progress)
{
    const QString top = platform::withoutTrailingSeparators(folder);
    // A link given as the folder goes as an entry; what it points to stays.
    if (platform::isLink(top))
        return reported(platform::deleteFile(top));
    // Nor is a link that takes the folder's place after that look followed.
    platform::FolderHandle handle;
    const platform::FsError error = platform::FolderHandle::open(top, handle, false);
    if (error.number == platform::ErrorNumber::PathNotFound)
        return ResultValue::Proceed;
    if (error.failed())
        return reported(error);

    RunProgress withoutWindow(nullptr, 0);
    RunProgress& counted = progress ? *progress : withoutWindow;
    int files = 0;
    const qint16 surveyed = reported(FileOps::surveyTree(handle, scope, counted, files));
    if (surveyed > 0)
        return surveyed;
    counted.plan(files, 0);
    Removal removal(scope, counted);
    const qint16 emptied = reported(platform::walkFolderTree(handle, scope, removal));
    if (emptied > 0)
        return emptied;
    return reported(platform::removeFolder(top), platform::ErrorNumber::PathNotFound);
}

QString mountedVolumeMessage(const QString& mountPoint)
{
    return platform::readableFileName(mountPoint)
        + QStringLiteral(" には別のドライブ（ボリューム）がマウントされているため、削除できません。");
}

QString movedFolderMessage(const QString& folder)
{
    return platform::readableFileName(folder)
        + QStringLiteral(" が削除中に別の場所へ移動されたため、削除を中止しました。");
}

}  // namespace MarlowFuncUtility
