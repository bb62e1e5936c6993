#include "file_ops/batch_copy_run.h"

#include "file_ops/batch_preview.h"
#include "file_ops/moved_sources.h"
#include "file_ops/placement_plan.h"
#include "file_ops/placement_run.h"
#include "file_ops/progress_pacer.h"
#include "file_ops/run_journal.h"
#include "file_ops/size_survey.h"
#include "file_ops/target_name.h"
#include "file_ops/trash_messages.h"
#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/name_rules.h"
#include "platform/trash.h"
#include "shared/result_value.h"
#include "shared/run_progress.h"

namespace FileOps {

namespace {

constexpr qint16 PrefixField = 3;

// What a run copies: the selected entries of the source list and of the
// extracted-files list, read once; how the destination tells names apart,
// looked up once; and the names the preview gave them.
struct RunFiles {
    QStringList sources;
    QStringList extracted;
    platform::LetterCase letterCase = platform::LetterCase::Exact;
    QStringList newNames;  // of the sources, then of the extracted files
    QStringList repeatedNames;  // new names held already, by the destination or the run
};

// Fills the preview with the new names of files, noting each name that a
// file of the destination or an earlier file of the run holds already. False
// when the run must end: a name that cannot be used, or a clash while
// overwriting is off.
bool previewNames(BatchCopyWindow& window, BatchPreview& preview, const QStringList& files,
                  const TargetNameCheck& check, bool overwrite, RunFiles& run)
{
    for (const QString& file : files) {
        const QString newName = window.targetName(file);
        run.newNames.append(newName);
        if (!check.isUsable(newName)) {
            window.closePreview();
            platform::showMessage(unusableNameMessage(file, newName));
            return false;
        }
        const int row = preview.add(newName);
        if (row >= 0 && !overwrite) {
            // The preview stays, the clashing name marked, until the next run.
            window.showPreview(preview.entries(), preview.markedRows());
            platform::showMessage(QStringLiteral("同一ファイルがあります。") + platform::readableFileName(newName)
                                  + QStringLiteral("  のコピーできません。"));
            return false;
        }
        if (row >= 0)
            run.repeatedNames.append(newName);
    }
    return true;
}

// False when the run must end.
bool previewPass(BatchCopyWindow& window, RunFiles& files, const QStringList& destinationFiles)
{
    const QStringList& sources = files.sources;
    const QStringList& extracted = files.extracted;
    BatchPreview preview(destinationFiles, int(sources.size() + extracted.size()), files.letterCase);
    const TargetNameCheck check(window.targetFolders());
    const bool overwrite = window.overwriteOn();
    window.restartSerialNumbers();
    if (!previewNames(window, preview, sources, check, overwrite, files)
        || !previewNames(window, preview, extracted, check, overwrite, files))
        return false;
    window.showPreview(preview.entries(), preview.markedRows());
    const bool confirmed = platform::askYesNo(QStringLiteral("コピー結果を確認して下さい。実行しますか？"));
    window.closePreview();
    return confirmed;
}

// The confirmed plan: sources from folder 0, extracted files from 1, all into 2.
platform::FsError journalPlan(BatchCopyWindow& window, RunJournal& journal, const RunFiles& files)
{
    QVector<PlannedFile> planned;
    planned.reserve(files.newNames.size());
    for (int i = 0; i < files.newNames.size(); ++i) {
        const bool extracted = i >= files.sources.size();
        planned.append(PlannedFile{extracted ? 1 : 0,
                                   extracted ? files.extracted.at(i - files.sources.size()) : files.sources.at(i), 2,
                                   files.newNames.at(i)});
    }
    return journal.plan({window.sourceFolder(), window.extractedFolder(), window.destinationFolder()}, planned);
}

// Copies files one by one, the first being the run's item firstItem; false
// when a copy stopped the run or the user cancelled it.
template <class CopyOne>
bool copyFiles(BatchCopyWindow& window, PlacementRun& run, ProgressPacer& pacer, RunProgress& progress,
               SizeSurvey& sizes, const QStringList& files, int firstItem, CopyOne copyOne)
{
    const auto statusOf = [](const QString& file) { return platform::readableFileName(file) + QStringLiteral("　　をコピー中です。"); };
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        if (!progress.step(file))
            return false;
        // The status line names the file being copied when it is painted,
        // and the file that stopped the run.
        pacer.pace([&window, &file, &statusOf] {
            window.setStatusLine(statusOf(file));
            window.showProgress();
        });
        run.item = firstItem + i;
        if (copyOne(file) > 0) {
            window.setStatusLine(statusOf(file));
            return false;
        }
        sizes.countDone();
    }
    return true;
}

// Files the run replaces go to the trash; where none can be reached, false
// unless the user agrees to their deletion for good, asked once before
// anything is copied.
bool mayReplace(BatchCopyWindow& window, const RunFiles& files, bool& forGood)
{
    forGood = !files.repeatedNames.isEmpty()
        && !platform::canTrash({platform::joinPath(window.destinationFolder(), files.repeatedNames.first())});
    return !forGood || platform::askYesNo(noTrashQuestion());
}

QString copyPass(BatchCopyWindow& window, RunJournal& journal, const RunFiles& files,
                 const QStringList& destinationFiles)
{
    bool replaceForGood = false;
    if (!mayReplace(window, files, replaceForGood)) {
        journal.discard();
        return QString();
    }
    platform::FsError error = journalPlan(window, journal, files);
    if (error.failed()) {
        platform::showError(error);
        return QString();
    }
    const QStringList& sources = files.sources;
    const QStringList& extracted = files.extracted;
    ProgressPacer pacer;
    PlacementPlan plan(window.destinationFolder(), destinationFiles, files.letterCase, journal);
    plan.addSources(window.sourceFolder(), sources);
    plan.addSources(window.extractedFolder(), extracted);
    plan.addRepeatedNames(files.repeatedNames);
    MovedSources movedSources(journal);
    RunProgress progress(window.progressView(), int(sources.size() + extracted.size()));
    SizeSurvey sizes({{window.sourceFolder(), sources}, {window.extractedFolder(), extracted}}, progress);
    PlacementRun run{journal, &plan, &movedSources, -1, replaceForGood, &progress};
    window.restartSerialNumbers();
    const bool copied =
        copyFiles(window, run, pacer, progress, sizes, sources, 0,
                  [&window, &run](const QString& file) { return window.copySourceFile(run, file); })
        && copyFiles(window, run, pacer, progress, sizes, extracted, int(sources.size()),
                     [&window, &run](const QString& file) { return window.copyExtractedFile(run, file); });
    // Sources whose copies are placed go also when the run stops early; those
    // that stay are named together.
    const bool sourcesDeleted = movedSources.finish() == ResultValue::Proceed;
    movedSources.report();
    plan.restoreSetAside();
    error = journal.end();
    if (error.failed())
        platform::showError(error);
    if (progress.cancelled() && sourcesDeleted) {
        window.setStatusLine(progress.cancelledText());
        window.refreshSourceList();
        window.refreshDestinationList();
        return progress.cancelledText();
    }
    if (!copied || !sourcesDeleted) {
        window.refreshDestinationList();
        return QString();
    }
    window.setStatusLine(QString());
    window.refreshSourceList();
    window.refreshDestinationList();
    return QString();
}

}  // namespace

QString runBatchCopy(BatchCopyWindow& window)
{
    RunFiles files;
    files.sources = window.selectedSourceFiles();
    files.extracted = window.selectedExtractedFiles();
    if (files.sources.isEmpty() && files.extracted.isEmpty()) {
        if (!platform::askYesNo(QStringLiteral("すべてのファイルを選択しますか？"))) {
            window.focusSourceList();
            return QString();
        }
        window.selectAllSourceFiles();
        files.sources = window.selectedSourceFiles();
    }
    RunJournal journal(window.journalFolder(), window.moveOn() ? RunKind::Move : RunKind::Copy);
    // A probe of the letter case leaves no hidden file behind, even when killed.
    files.letterCase = platform::letterCaseOf(window.destinationFolder(),
                                              [&journal](const QString& probe) { return journal.part(probe); });
    const QStringList destinationFiles = window.destinationFiles();
    if (previewPass(window, files, destinationFiles))
        return copyPass(window, journal, files, destinationFiles);
    journal.discard();
    return QString();
}

void pressCopy(CopyButtonWindow& window)
{
    qint16 focusField = 0;
    qint16 status = 0;
    window.validateRules(focusField, status);
    if (status > 0) {
        window.focusRuleField(focusField);
        return;
    }
    QString cancelled;
    if (platform::askYesNo(QStringLiteral("設定した内容でコピーしますか？")))
        cancelled = window.runBatchCopy();
    window.focusRuleField(PrefixField);
    // The report of a cancelled copy outlasts the hint of the field.
    if (!cancelled.isEmpty())
        window.setStatusLine(cancelled);
}

QString commandHint(int index)
{
    switch (index) {
    case 0: return QStringLiteral("指定された条件でコピーを開始します。");
    case 1: return QStringLiteral("指定されたファイルを削除します。");
    default: return QString();
    }
}

}  // namespace FileOps
