#pragma once

#include <QByteArray>

namespace platform {

// The first thing the kernel's table of mounts has mounted inside folder (a
// folder or a single file), or nothing; folder is a real path, without links.
// Also what is mounted inside it where a bind mount shows it elsewhere.
// Nothing, too, when the table cannot be read.
QByteArray mountPointWithin(const QByteArray& folder);

}  // namespace platform
