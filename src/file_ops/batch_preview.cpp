#include "file_ops/batch_preview.h"

#include "platform/folded_name.h"

namespace FileOps {

BatchPreview::BatchPreview(const QStringList& destinationFiles, int newNameCount)
    : entries_(destinationFiles), marked_(destinationFiles.size(), false)
{
    entries_.reserve(destinationFiles.size() + newNameCount);
    marked_.reserve(destinationFiles.size() + newNameCount);
    firstRowByFoldedName_.reserve(destinationFiles.size() + newNameCount);
    // Iterated backwards so that of names alike the first one stays found.
    for (int row = int(entries_.size()) - 1; row >= 0; --row)
        firstRowByFoldedName_.insert(platform::foldedName(entries_.at(row)), row);
}

int BatchPreview::add(const QString& newName)
{
    const QString folded = platform::foldedName(newName);
    const auto found = firstRowByFoldedName_.constFind(folded);
    if (found != firstRowByFoldedName_.constEnd()) {
        marked_[found.value()] = true;
        return found.value();
    }
    firstRowByFoldedName_.insert(folded, int(entries_.size()));
    entries_.append(newName);
    marked_.append(true);
    return -1;
}

QVector<int> BatchPreview::markedRows() const
{
    QVector<int> rows;
    for (int row = 0; row < marked_.size(); ++row) {
        if (marked_.at(row))
            rows.append(row);
    }
    return rows;
}

}  // namespace FileOps
