#pragma once

#include <QtGlobal>

// The value a procedure that may refuse its input or stop a run gives back:
// 0 to go on, 9 when it refused or the run must stop (its message is shown).
// Callers test for a value above 0.
namespace ResultValue {
constexpr qint16 Proceed = 0;
constexpr qint16 Stop = 9;
}  // namespace ResultValue
