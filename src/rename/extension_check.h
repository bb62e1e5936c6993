#pragma once

#include <QString>

// Whether a typed new extension may stand: once trimmed of blanks it is
// empty (no extension) or made of the letters A to Z and a to z only.
// Digits, dots, inner blanks, full-width and other non-ASCII letters are not.
bool isLettersOnlyExtension(const QString& text);
