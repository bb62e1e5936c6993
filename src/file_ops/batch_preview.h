#pragma once

#include "platform/name_rules.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace FileOps {

// The destination folder as it will be after a copy run: the files it holds
// now, then every new name not already there, with a mark on each name the
// run will write. Names compare as the destination's file system compares
// them; finding one costs the same however long the list grows.
class BatchPreview {
public:
    // newNameCount: how many names the run will add, for room made at once.
    BatchPreview(const QStringList& destinationFiles, int newNameCount, platform::LetterCase letterCase);

    // Marks newName where it already stands and gives back that row, or
    // appends and marks it and gives back -1.
    int add(const QString& newName);

    const QStringList& entries() const { return entries_; }
    // Marked rows, ascending.
    QVector<int> markedRows() const;

private:
    QStringList entries_;
    QVector<bool> marked_;
    platform::LetterCase letterCase_;
    QHash<QString, int> firstRowByKey_;
};

}  // namespace FileOps
