#pragma once

#include <QString>

// The running program's own folder and the process's current folder. Tests
// point the program folder at a folder of their own.
namespace platform {

QString programFolder();
void setProgramFolderOverride(const QString& folder);  // empty: the executable's folder

// The current folder with its exact bytes (see file_name_codec.h); empty when
// it cannot be read (it was deleted).
QString currentFolder();
// False when folder cannot be made the current folder.
bool setCurrentFolder(const QString& folder);

}  // namespace platform
