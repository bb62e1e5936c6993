#include "shared/check_digits.h"

#include "shared/result_value.h"

namespace MarlowFuncUtility {

int digitValue(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code >= u'0' && code <= u'9')
        return code - u'0';
    if (code >= u'０' && code <= u'９')
        return code - u'０';
    return -1;
}

qint16 CheckDigits(const QString& text)
{
    for (const QChar ch : text) {
        if (digitValue(ch) < 0)
            return ResultValue::Stop;
    }
    return ResultValue::Proceed;
}

}  // namespace MarlowFuncUtility
