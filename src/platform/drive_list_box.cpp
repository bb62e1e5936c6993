#include "platform/drive_list_box.h"

#include "platform/volume_root.h"

#include <QStorageInfo>

#include <algorithm>

namespace platform {

namespace {
constexpr int RootRole = Qt::UserRole;
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        if (changed_)
            changed_();
    });
    refresh();
}

QString DriveListBox::drive() const
{
    return currentData(RootRole).toString();
}

void DriveListBox::setDrive(const QString& path)
{
    const QString root = volumeRootOf(path);
    int row = rowOf(root);
    if (row < 0) {
        addRoot(root);
        row = count() - 1;
    }
    setCurrentIndex(row);
}

void DriveListBox::refresh()
{
    const QString chosen = drive();
    clear();
    for (const QString& root : volumeRoots())
        addRoot(root);
    const int row = rowOf(chosen);
    setCurrentIndex(row >= 0 ? row : 0);
}

QStringList DriveListBox::volumeRoots()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    roots.removeAll(QStringLiteral("/"));
    std::sort(roots.begin(), roots.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    roots.prepend(QStringLiteral("/"));
    return roots;
}

int DriveListBox::rowOf(const QString& root) const
{
    return findData(root, RootRole);
}

void DriveListBox::addRoot(const QString& root)
{
    const QString name = root == QLatin1String("/") ? QString() : QStorageInfo(root).displayName();
    const bool namedApart = !name.isEmpty() && name != root;
    addItem(namedApart ? QStringLiteral("%1 [%2]").arg(root, name) : root, root);
}

}  // namespace platform
