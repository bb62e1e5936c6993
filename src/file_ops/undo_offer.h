#pragma once

#include "file_ops/journal_reader.h"

#include <QString>

namespace FileOps {

// The newest run that 元に戻す can reverse, with what it would do.
struct UndoOffer {
    QString journalPath;  // empty: nothing to undo
    RunKind kind = RunKind::Copy;
    qint64 startedMs = 0;
    int files = 0;     // items still to undo
    int replaced = 0;  // of them, items whose replaced files come back
    QString folderName;  // of a folder deletion

    bool exists() const { return !journalPath.isEmpty(); }
};

// Whether undo has anything to do for item: it placed or deleted a file, and
// no undo has reversed that yet.
bool isLeftToUndo(const JournalRun::Item& item);

// The newest finished run in folder, among the UndoableRuns newest begun
// within UndoableDays, that has anything left to undo.
UndoOffer newestUndoableRun(const QString& folder);

// A run that has just ended, its journal as it stands now, left offer to
// undo: the menu takes it from here rather than reading the journal back.
void noteFinishedRun(const UndoOffer& offer);

// "移動 120 ファイル（12/07 10:31）": what the menu item names.
QString undoDescription(const UndoOffer& offer);
// The menu item: "元に戻す: " and the description, or "元に戻す" alone.
QString undoMenuText(const UndoOffer& offer);
// The question asked before the run is undone, with its counts.
QString undoQuestion(const UndoOffer& offer);

}  // namespace FileOps
