#pragma once

#include <QString>

// The running program's own folder. Tests point it at a folder of their own.
namespace platform {

QString programFolder();
void setProgramFolderOverride(const QString& folder);  // empty: the executable's folder

}  // namespace platform
