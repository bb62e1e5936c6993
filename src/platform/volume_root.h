#pragma once

#include <QString>

namespace platform {

// The root of the mounted volume that holds path, "/" when none is found.
QString volumeRootOf(const QString& path);

}  // namespace platform
