#include "shared/typed_text.h"

namespace MarlowFuncUtility {

QString RemoveLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
            result.append(ch);
    }
    return result;
}

QString TrimBlanks(const QString& text)
{
    const QLatin1Char blank(' ');
    int first = 0;
    int last = int(text.size()) - 1;
    while (first <= last && text.at(first) == blank)
        ++first;
    while (last >= first && text.at(last) == blank)
        --last;
    return text.mid(first, last - first + 1);
}

}  // namespace MarlowFuncUtility
