#pragma once

#include <QString>

namespace platform {

// True when name matches one of the wildcard patterns in patternList
// (several separated by ";"), ignoring letter case. As on the classic desktop,
// "*.*" matches every name and "x.*" also matches "x" without a dot.
bool matchesWildcard(const QString& name, const QString& patternList);

// True when patternList matches whatever name it is given ("*", "*.*"), so
// a list of thousands need not be matched name by name.
bool matchesEveryName(const QString& patternList);

}  // namespace platform
