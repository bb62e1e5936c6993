#include "rename/numeric_field.h"

#include "shared/check_digits.h"

int numericFieldValue(const QString& text)
{
    int position = 0;
    while (position < text.size() && text.at(position).isSpace())
        ++position;
    int value = 0;
    for (; position < text.size(); ++position) {
        const int digit = MarlowFuncUtility::digitValue(text.at(position));
        if (digit < 0)
            break;
        value = value * 10 + digit;
        if (exceedsFieldLimit(value))
            return MaxFieldValue + 1;
    }
    return value;
}
