#pragma once

#include "platform/fs_error.h"

#include <QDateTime>
#include <QPair>
#include <QString>
#include <QVector>

namespace FileOps {

// What the start-up did with the runs a kill interrupted.
struct [[nodiscard]] Recovery {
    QVector<QPair<QString, QString>> restored;  // set-aside files given back: original path, path now
    int undoesCutShort = 0;  // undoes a kill ended with files still to undo
    platform::FsError firstError;
};

// Settles every journal in folder whose run or undo never came to its end,
// leaving alone those a running program holds: hidden parts beside
// destinations go, set-aside files get their names back (or the first free
// one), an old file whose replacement never happened comes back from the
// trash. After a power loss, a copy placed since the run's last flush that
// does not hold its source's bytes goes. A journal with a step that cannot
// be settled now (its folder is gone with an unplugged stick, a rename is
// refused) is tried again at the next start, all of it.
Recovery settleInterruptedRuns(const QString& folder);

// At start-up: settles what killed runs left, tells the user of each file
// that got another name than its own back, of an undo to choose again and of
// the first failure, and prunes the journals.
void recoverInterruptedRuns(const QString& folder);

// How many finished runs, at most, and how old, at most, stay undoable.
constexpr int UndoableRuns = 20;
constexpr int UndoableDays = 30;

// Removes the journals of runs that can no longer be undone: all but the
// newest UndoableRuns begun within UndoableDays of now. A journal still to
// be settled, or held by a running program, stays.
void pruneJournals(const QString& folder, const QDateTime& now = QDateTime::currentDateTimeUtc());

// The journals of folder, newest first.
QStringList journalPaths(const QString& folder);

}  // namespace FileOps
