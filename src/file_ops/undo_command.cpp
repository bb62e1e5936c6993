#include "file_ops/undo_command.h"

#include "file_ops/undo_offer.h"
#include "file_ops/undo_run.h"
#include "platform/message_box.h"
#include "shared/run_progress.h"

namespace FileOps {

void pressUndo(UndoWindow& window)
{
    const UndoOffer offer = newestUndoableRun(window.journalFolder());
    if (!offer.exists() || !platform::askYesNo(undoQuestion(offer)))
        return;
    UndoOutcome outcome;
    QString status;
    {
        RunProgress progress(window.progressView(), offer.files);
        outcome = undoRun(offer.journalPath, progress);
        status = outcome.cancelled ? progress.cancelledText() : undoneStatus(outcome.undone);
    }
    // Said once the progress window has gone.
    window.refreshLists();
    window.setStatusLine(status);
    if (outcome.error.failed())
        platform::showError(outcome.error);
    if (!outcome.left.isEmpty())
        platform::showMessage(undoLeftMessage(outcome.left));
}

QString undoneStatus(int count)
{
    return QStringLiteral("元に戻しました（%1 個）").arg(count);
}

}  // namespace FileOps
