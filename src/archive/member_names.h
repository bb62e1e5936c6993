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

// The folders and the name of a member below the extraction folder, "/" and
// "\" both separating. Empty when the member must not be written: an absolute
// path, a drive ("C:"), a ".." anywhere, a NUL, or no name at all.
QStringList safeParts(const QString& memberName);

}  // namespace MemberNames
