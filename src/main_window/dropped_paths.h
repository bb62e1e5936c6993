#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

// What files and folders dragged from a file manager mean to the main window.
namespace DroppedPaths {

// The local paths a drop carries, byte-exact (a name that is not UTF-8 comes
// percent-encoded and keeps its bytes); empty when it carries anything else.
QStringList localPaths(const QMimeData* data);

// The folder a drop sets in a folder field: exactly one folder, else empty.
QString folderOf(const QStringList& paths);

// The names of those paths that lie directly in folder (the same folder by
// identity, whatever its spelling).
QStringList namesIn(const QStringList& paths, const QString& folder);

}  // namespace DroppedPaths
