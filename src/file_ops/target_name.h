#pragma once

#include <QString>
#include <QStringList>

namespace FileOps {

// A built name that would put a copy somewhere the user did not choose, or
// that the file system cannot store, is refused before anything is copied.
// maxNameBytes is the tightest limit of the folders the name goes into.
bool isUsableTargetName(const QString& newName, int maxNameBytes);

// The tightest file-name limit among folders.
int maxNameBytesOf(const QStringList& folders);

// The refusal, naming the file whose copy would get newName.
QString unusableNameMessage(const QString& sourceName, const QString& newName);

}  // namespace FileOps
