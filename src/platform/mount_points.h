#pragma once

#include <QByteArray>
#include <QVector>

namespace platform {

// What the kernel's table of mounts has mounted inside realFolder (a folder
// or a single file), as real paths in the table's order; realFolder is a path
// as FolderHandle::realPath gives it. Empty when the table cannot be read.
QVector<QByteArray> mountPointsInside(const QByteArray& realFolder);

}  // namespace platform
