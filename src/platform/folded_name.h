#pragma once

#include <QString>

namespace platform {

// name with letter case folded away: two names that differ only in case fold
// alike. Names compare and sort through it as the file dialogs order them.
QString foldedName(const QString& name);

}  // namespace platform
