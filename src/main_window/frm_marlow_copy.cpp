#include "main_window/frm_marlow.h"

#include "file_ops/batch_copy_run.h"
#include "file_ops/copy_one_file.h"
#include "file_ops/delete_selected.h"
#include "file_ops/run_journal.h"
#include "platform/file_list_box.h"
#include "platform/file_system.h"
#include "platform/fs_error.h"
#include "platform/message_box.h"
#include "platform/name_list_model.h"
#include "rename/frm_marlow_a.h"
#include "shared/progress_window.h"
#include "shared/result_value.h"

#include <QGuiApplication>
#include <QItemSelection>
#include <QLabel>
#include <QListView>
#include <QSet>

#include <memory>

namespace {

class CopyRun : public FileOps::BatchCopyWindow, public FileOps::CopyButtonWindow {
public:
    explicit CopyRun(frmMarlow& form) : form_(form) {}

    QStringList selectedSourceFiles() override
    {
        form_.fileList(0)->noteSelectedFiles();
        return form_.fileList(0)->selectedEntries();
    }
    void selectAllSourceFiles() override { form_.fileList(0)->selectAll(); }
    void focusSourceList() override { platform::focusControl(form_.fileList(0)); }
    QStringList selectedExtractedFiles() override
    {
        const platform::FileListBox* list = form_.extractedFileList();
        return list ? list->selectedEntries() : QStringList();
    }

    QString sourceFolder() override { return form_.SourceFolder; }
    QString extractedFolder() override
    {
        const platform::FileListBox* list = form_.extractedFileList();
        return list ? list->path() : QString();
    }
    QString destinationFolder() override { return form_.DestFolder; }
    QStringList destinationFiles() override
    {
        form_.fileList(1)->refresh();
        form_.fileList(1)->noteSelectedFiles();
        return form_.fileList(1)->entries();
    }
    QStringList targetFolders() override { return {form_.DestFolder, form_.TempFolder}; }
    bool overwriteOn() override { return form_.isChecked(1); }
    bool moveOn() override { return form_.isChecked(0); }
    QString journalFolder() override { return FileOps::journalFolder(); }
    void restartSerialNumbers() override { form_.Rules.SerialNumber = form_.Rules.SerialStart; }
    QString targetName(const QString& fileName) override
    {
        form_.CurrentFileName = fileName;
        return form_.buildTargetName(fileName);
    }

    void showPreview(const QStringList& entries, const QVector<int>& markedRows) override
    {
        form_.previewNames->setNames(entries);
        form_.fileList(1)->hide();
        form_.List1->show();
        // Marked after the rows are laid out: the layout looks every row up among the marked ones.
        form_.List1->selectionModel()->select(platform::rowSelection(form_.previewNames, markedRows),
                                              QItemSelectionModel::Select);
    }
    void closePreview() override
    {
        form_.previewNames->setNames(QStringList());
        form_.List1->hide();
        form_.fileList(1)->show();
    }

    qint16 copySourceFile(FileOps::PlacementRun& run, const QString& fileName) override
    {
        form_.CurrentFileName = fileName;
        return notePlaced(form_.CopyOneFile(run));
    }
    qint16 copyExtractedFile(FileOps::PlacementRun& run, const QString& fileName) override
    {
        form_.CurrentFileName = fileName;
        return notePlaced(form_.CopyOneExtractedFile(run));
    }
    RunProgressView* progressView() override
    {
        progress_ = std::make_unique<ProgressWindow>(&form_, form_.isChecked(0)
                                                                 ? QStringLiteral("ファイルを移動しています…")
                                                                 : QStringLiteral("ファイルをコピーしています…"));
        return progress_.get();
    }

    void setStatusLine(const QString& text) override { form_.Label2->setText(text); }
    // Re-reading and sorting the whole folder here would make every file of a
    // long run cost more than the one before; the run's end reads it once.
    void showProgress() override
    {
        form_.fileList(1)->appendEntries(placedNames_);
        placedNames_.clear();
        form_.Label2->repaint();
        form_.fileList(1)->viewport()->repaint();
    }
    void refreshSourceList() override { form_.fileList(0)->refresh(); }
    void refreshDestinationList() override
    {
        // Every placed name shown, a reading that finds nothing else leaves the list as it is.
        form_.fileList(1)->appendEntries(placedNames_);
        placedNames_.clear();
        form_.fileList(1)->refresh();
    }

    void validateRules(qint16& focusField, qint16& status) override { form_.ValidateRules(focusField, status); }
    QString runBatchCopy() override { return FileOps::runBatchCopy(*this); }
    void focusRuleField(qint16 field) override
    {
        form_.focusRefusedField(field);
    }

private:
    qint16 notePlaced(qint16 stop)
    {
        // Made at the first placed file, not before the preview.
        if (listedNames_.isEmpty()) {
            const QStringList& listed = form_.fileList(1)->entries();
            listedNames_ = QSet<QString>(listed.begin(), listed.end());
        }
        if (stop == ResultValue::Proceed && !listedNames_.contains(form_.TargetFileName)) {
            listedNames_.insert(form_.TargetFileName);
            placedNames_.append(form_.TargetFileName);
        }
        return stop;
    }

    frmMarlow& form_;
    std::unique_ptr<ProgressWindow> progress_;
    QSet<QString> listedNames_;  // what the destination list shows
    QStringList placedNames_;    // placed and not shown yet
};

class DeleteRun : public FileOps::DeleteWindow {
public:
    explicit DeleteRun(frmMarlow& form) : form_(form) {}

    QStringList selectedFiles(int list) override
    {
        form_.fileList(list)->noteSelectedFiles();
        return form_.fileList(list)->selectedEntries();
    }
    QString listFolder(int list) override { return list == 0 ? form_.SourceFolder : form_.DestFolder; }
    qint16 deleteListedFile(FileOps::DeletionRun& run, int list, const QString& fileName) override
    {
        form_.CurrentFileName = fileName;
        return form_.DeleteListedFile(run, list);
    }
    void refreshList(int list) override { form_.fileList(list)->refresh(); }
    void setStatusLine(const QString& text) override { form_.Label2->setText(text); }
    void showProgress() override { form_.Label2->repaint(); }
    RunProgressView* progressView() override
    {
        progress_ = std::make_unique<ProgressWindow>(&form_, QStringLiteral("ファイルを削除しています…"));
        return progress_.get();
    }
    QString journalFolder() override { return FileOps::journalFolder(); }
    QString deleteSelectedFiles(bool forGood) override { return FileOps::deleteSelectedFiles(*this, forGood); }
    void resetRules() override { form_.ResetRules(); }
    void focusPrefixField() override { platform::focusControl(form_.Text1.control(3)); }

private:
    frmMarlow& form_;
    std::unique_ptr<ProgressWindow> progress_;
};

}  // namespace

void frmMarlow::Command1_GotFocus(int Index)
{
    const QString hint = FileOps::commandHint(Index);
    if (!hint.isEmpty())
        Label2->setText(hint);
}

void frmMarlow::Command1_Click(int Index)
{
    if (Index == 0) {
        CopyRun run(*this);
        FileOps::pressCopy(run);
        refreshUndoMenu();
    } else if (Index == 1) {
        // Shift held with a click on the button, or with Enter on it.
        pressDelete(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    }
}

void frmMarlow::File1_KeyDown(int /*Index*/, int KeyCode, int Shift)
{
    if (KeyCode == platform::Key::Delete && (Shift == 0 || Shift == platform::ShiftState::Shift))
        pressDelete(Shift == platform::ShiftState::Shift);
}

void frmMarlow::pressDelete(bool forGood)
{
    DeleteRun run(*this);
    FileOps::pressDelete(run, forGood);
    refreshUndoMenu();
}

void frmMarlow::RunBatchCopy()
{
    CopyRun run(*this);
    FileOps::runBatchCopy(run);
    refreshUndoMenu();
}

qint16 frmMarlow::CopyOneFile(FileOps::PlacementRun& run)
{
    const QString source = platform::joinPath(SourceFolder, CurrentFileName);
    TargetFileName = buildTargetName(CurrentFileName);
    return FileOps::copyOneFile(run, {source, TargetFileName, DestFolder, TempFolder, isChecked(0), isChecked(1)});
}

qint16 frmMarlow::CopyOneExtractedFile(FileOps::PlacementRun& run)
{
    const platform::FileListBox* list = extractedFileList();
    if (!list) {
        platform::showError(platform::makeError(platform::ErrorNumber::FileNotFound));
        return ResultValue::Stop;
    }
    // An extracted file stays where it is: the move option does not apply.
    const QString source = platform::joinPath(list->path(), CurrentFileName);
    TargetFileName = buildTargetName(CurrentFileName);
    return FileOps::copyOneFile(run, {source, TargetFileName, DestFolder, TempFolder, false, isChecked(1)});
}

void frmMarlow::DeleteSelectedFiles(bool forGood)
{
    DeleteRun run(*this);
    FileOps::deleteSelectedFiles(run, forGood);
    refreshUndoMenu();
}

qint16 frmMarlow::DeleteListedFile(FileOps::DeletionRun& run, int code)
{
    switch (code) {
    case 0: return FileOps::deleteListedFile(run, SourceFolder, CurrentFileName);
    case 1: return FileOps::deleteListedFile(run, DestFolder, CurrentFileName);
    default: return ResultValue::Proceed;
    }
}
