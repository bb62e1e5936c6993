#include "rename/extension_check.h"

bool isLettersOnlyExtension(const QString& text)
{
    for (const QChar ch : text.trimmed()) {
        const char16_t code = ch.unicode();
        if (!((code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z')))
            return false;
    }
    return true;
}
