#pragma once

#include <QString>

namespace platform {

// The exact path (see file_name_codec.h) of the folder that shownPath, an
// absolute path as a field shows it, names: a name that is not UTF-8 stands in
// it as readableFileName shows it. Name by name, the first that fits wins: the
// name heldPath has at that place, while shownPath has read as heldPath so far
// (the exact path the text was shown from); a folder of exactly that name; the
// one folder whose name reads so. Where no folder or several fit, that name
// and the rest stay as they are written.
QString exactPathOf(const QString& shownPath, const QString& heldPath = QString());

}  // namespace platform
