#pragma once

#include <QString>

// The work folder that receives an extraction.
namespace ArchiveWorkFolder {

// Removes folder with everything in it, hidden entries included, and makes it
// anew, empty. False (after the failure message) when either step failed: an
// extraction must then not go into what is left there.
bool makeEmpty(const QString& folder);

}  // namespace ArchiveWorkFolder
