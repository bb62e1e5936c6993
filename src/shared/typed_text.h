#pragma once

#include <QString>

// Cleaning of texts typed into fields before they are used as paths.
namespace MarlowFuncUtility {

// The text without its carriage returns and line feeds; every other character,
// blanks included, keeps its place. Multi-line fields can hold line breaks.
QString RemoveLineBreaks(const QString& text);

// The text without leading and trailing blanks (U+0020 only: tabs and line
// breaks stay, so blanks before a trailing line break are kept).
QString TrimBlanks(const QString& text);

}  // namespace MarlowFuncUtility
