#include "main_window/frm_marlow.h"

#include "archive/archive_file_name.h"
#include "archive/archive_work_folder.h"
#include "archive/extract_archive.h"
#include "archive/extraction_progress.h"
#include "archive/frm_melt.h"
#include "main_window/start_arguments.h"
#include "platform/dir_list_box.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/vb_look.h"
#include "shared/progress_window.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// An extraction's progress in the window of a run: done / total files as the
// archive's directory lists them. The work folder is emptied only once the
// archive proved extractable, so that one refused leaves the members open
// before it in place.
class ExtractionRunProgress : public ExtractionProgress {
public:
    ExtractionRunProgress(RunProgress& run, const QString& workFolder) : run_(run), workFolder_(workFolder) {}
    bool planned(int files, qint64 bytes) override
    {
        run_.plan(files, bytes);
        workFolderEmptied_ = true;
        return ArchiveWorkFolder::makeEmpty(workFolder_);
    }
    bool beforeMember(const QString& memberName) override { return run_.step(memberName); }
    void fileDone(qint64 bytes) override { run_.done(1, bytes); }
    bool written(qint64 bytes) override { return run_.written(bytes); }

    bool workFolderEmptied() const { return workFolderEmptied_; }

private:
    RunProgress& run_;
    const QString workFolder_;
    bool workFolderEmptied_ = false;
};

}  // namespace

void frmMarlow::File1_DblClick(int Index)
{
    if (Index != 0)
        return;
    const int listIndex = fileList(0)->currentRow();
    if (listIndex < 0)
        return;
    ExtractArchiveItem(listIndex);
    fileList(0)->setSelected(listIndex, false);
}

void frmMarlow::ExtractArchiveItem(int listIndex)
{
    const QString archiveName = fileList(0)->entry(listIndex);
    if (!ArchiveFileName::canExtract(archiveName)) {
        platform::showMessage(QStringLiteral("解凍できません。"));
        return;
    }
    const platform::FsError madeWorkFolder = platform::makeFolderPath(MeltFolder);
    if (madeWorkFolder.failed()) {
        platform::showError(madeWorkFolder);
        return;
    }
    const QString archivePath = platform::joinPath(fileList(0)->path(), archiveName);
    qint32 memberCount = 0;
    qint16 result = 0;
    bool workFolderEmptied = false;
    {
        ProgressWindow view(this, QStringLiteral("書庫を解凍しています…"));
        RunProgress progress(&view, 0);
        ExtractionRunProgress extraction(progress, MeltFolder);
        MarlowFuncUtility::ExtractArchive(archivePath, MeltFolder + QLatin1Char('/'), memberCount, result,
                                          &extraction);
        workFolderEmptied = extraction.workFolderEmptied();
        if (progress.cancelled())
            Label2->setText(progress.cancelledText());
    }
    if (result > 0) {
        // The members it listed are gone.
        if (workFolderEmptied)
            platform::FormInstance<FrmMELT>::unload();
        return;
    }

    FrmMELT& contents = platform::FormInstance<FrmMELT>::get();
    platform::showInFront(&contents);
    contents.setArchiveName(archiveName);
    // MELT was just filled: only a folder removed meanwhile could fail, and
    // then the lists stay empty.
    static_cast<void>(contents.fileList()->setPath(ProgramFolder));
    static_cast<void>(contents.Dir1->setPath(MeltFolder));
    static_cast<void>(contents.fileList()->setPath(MeltFolder));
    contents.fileList()->setPattern(QStringLiteral("*.*"));
    platform::setTextOf(contents.Text1, QStringLiteral("*.*"));
}

void frmMarlow::openListedArchive(const QString& name)
{
    const int listIndex = fileList(0)->entries().indexOf(name);
    if (listIndex < 0) {
        platform::showMessage(StartArguments::cannotOpenMessage(platform::joinPath(fileList(0)->path(), name)));
        return;
    }
    ExtractArchiveItem(listIndex);
}

platform::FileListBox* frmMarlow::extractedFileList() const
{
    FrmMELT* contents = platform::FormInstance<FrmMELT>::ifLoaded();
    return contents && contents->isVisible() ? contents->fileList() : nullptr;
}
