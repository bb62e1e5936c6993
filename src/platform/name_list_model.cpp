#include "platform/name_list_model.h"

#include "platform/file_name_codec.h"

namespace platform {

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= names_.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return readableFileName(names_.at(index.row()));
    case NameRole: return names_.at(index.row());
    default: return QVariant();
    }
}

void NameListModel::setNames(const QStringList& names)
{
    beginResetModel();
    names_ = names;
    endResetModel();
}

void NameListModel::appendNames(const QStringList& names)
{
    if (names.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(names_.size()), int(names_.size() + names.size()) - 1);
    names_.append(names);
    endInsertRows();
}

QItemSelection rowSelection(const QAbstractItemModel* model, const QVector<int>& ascendingRows)
{
    QItemSelection selection;
    for (int i = 0; i < ascendingRows.size();) {
        int last = i;
        while (last + 1 < ascendingRows.size() && ascendingRows.at(last + 1) == ascendingRows.at(last) + 1)
            ++last;
        selection.select(model->index(ascendingRows.at(i), 0), model->index(ascendingRows.at(last), 0));
        i = last + 1;
    }
    return selection;
}

}  // namespace platform
