#pragma once

#include <QChar>
#include <QString>

namespace MarlowFuncUtility {

// The value of a decimal digit as typed, half-width "0" to "9" or full-width
// "０" to "９" (what a Japanese input method gives); -1 for any other character.
int digitValue(QChar ch);

// 9 when some character of text is not a digit, 0 otherwise (also for an empty text).
[[nodiscard]] qint16 CheckDigits(const QString& text);

}  // namespace MarlowFuncUtility
