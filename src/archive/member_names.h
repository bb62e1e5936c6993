#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Names of archive members: how their bytes become text, and where under the
// extraction folder a member may go.
namespace MemberNames {

// UTF-8 when the archive marks the name so, else CP932 (Shift_JIS as Japanese
// Windows writes it). A byte sequence that is not valid in that encoding
// becomes U+FFFD; nothing is dropped silently.
QString decode(const QByteArray& raw, bool isUtf8);

// A name not marked as to its encoding (ZIP without the UTF-8 flag): UTF-8
// when the bytes are strictly valid UTF-8 and hold a multi-byte sequence
// (Info-ZIP on Linux and macOS), else CP932.
QString decodeUnmarked(const QByteArray& raw);

// Where a member goes below the extraction folder: its folders and name, "/"
// and "\" both separating, leading separators dropped.
struct Place {
    enum class Problem { None, LeavesFolder, Unusable };
    QStringList parts;
    Problem problem = Problem::None;
};

// LeavesFolder for a ".." anywhere or a drive ("C:"); Unusable for a NUL.
// No parts and no problem: the extraction folder itself.
Place placeOf(const QString& memberName);

// The name as a user would read its path: "/" between the parts, empty and
// "." parts dropped ("a//./b\\c" is "a/b/c"); ".." and drives stay to show.
QString shownName(const QString& memberName);

}  // namespace MemberNames
