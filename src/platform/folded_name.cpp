#include "platform/folded_name.h"

namespace platform {

QString foldedName(const QString& name)
{
    // ASCII names, most of those in a folder of thousands, fold without the
    // Unicode tables: a list is folded name by name.
    QString folded = name;
    for (QChar& character : folded) {
        const char16_t code = character.unicode();
        if (code >= 0x80)
            return name.toCaseFolded();
        if (code >= u'A' && code <= u'Z')
            character = QChar(code + (u'a' - u'A'));
    }
    return folded;
}

}  // namespace platform
