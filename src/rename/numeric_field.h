#pragma once

#include <QString>

// The numbers typed into the rule windows: whole numbers from 0 to
// MaxFieldValue, so that they fit the rule set's 16-bit fields.
constexpr int MaxFieldValue = 32767;

// The decimal number at the start of a numeric field's text, leading blanks
// skipped, half-width or full-width digits; 0 when the text starts with no
// digit. A number above MaxFieldValue comes back as MaxFieldValue + 1, so a
// huge one cannot overflow and is still seen as too large.
int numericFieldValue(const QString& text);

inline bool exceedsFieldLimit(int value)
{
    return value > MaxFieldValue;
}
