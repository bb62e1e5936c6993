#include "file_ops/batch_preview.h"

namespace FileOps {

BatchPreview::BatchPreview(const QStringList& destinationFiles, int newNameCount, platform::LetterCase letterCase)
    : entries_(destinationFiles), marked_(destinationFiles.size(), false), letterCase_(letterCase)
{
    entries_.reserve(destinationFiles.size() + newNameCount);
    marked_.reserve(destinationFiles.size() + newNameCount);
    firstRowByKey_.reserve(destinationFiles.size() + newNameCount);
    // Iterated backwards so that of names alike the first one stays found.
    for (int row = int(entries_.size()) - 1; row >= 0; --row)
        firstRowByKey_.insert(platform::nameKey(entries_.at(row), letterCase_), row);
}

int BatchPreview::add(const QString& newName)
{
    const QString key = platform::nameKey(newName, letterCase_);
    const auto found = firstRowByKey_.constFind(key);
    if (found != firstRowByKey_.constEnd()) {
        marked_[found.value()] = true;
        return found.value();
    }
    firstRowByKey_.insert(key, int(entries_.size()));
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
