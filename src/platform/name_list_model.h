#pragma once

#include <QAbstractListModel>
#include <QItemSelection>
#include <QStringList>
#include <QVector>

namespace platform {

// Exact file names in a list view: each row shows its name's readable form
// (file_name_codec.h), made when the row is drawn, and gives the exact name
// under NameRole. The names are held as given, shared, never copied.
class NameListModel : public QAbstractListModel {
public:
    static constexpr int NameRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QStringList& names() const { return names_; }
    void setNames(const QStringList& names);
    void appendNames(const QStringList& names);

private:
    QStringList names_;
};

// The rows of model as ranges: selecting rows one by one is quadratic in the
// selection model.
QItemSelection rowSelection(const QAbstractItemModel* model, const QVector<int>& ascendingRows);

}  // namespace platform
