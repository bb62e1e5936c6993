#pragma once

#include <QString>

// How the main window tells an archive by its name.
namespace ArchiveFileName {

// The part of a bare file name from its first "." to the end, that "."
// included; empty when the name has none.
QString extensionOf(const QString& name);

// True when that extension is ".zip" or ".lzh", in any letter case. A name
// with more than one "." (a.b.lzh) has the extension .b.lzh and is no archive.
bool canExtract(const QString& name);

}  // namespace ArchiveFileName
