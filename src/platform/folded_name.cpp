#include "platform/folded_name.h"

namespace platform {

namespace {

bool isAscii(const QString& name)
{
    for (const QChar character : name)
        if (character.unicode() >= 0x80)
            return false;
    return true;
}

char16_t foldedAscii(char16_t code)
{
    return code >= u'A' && code <= u'Z' ? char16_t(code + (u'a' - u'A')) : code;
}

}  // namespace

QString foldedName(const QString& name)
{
    // ASCII names, most of those in a folder of thousands, fold without the
    // Unicode tables: a list is folded name by name.
    if (!isAscii(name))
        return name.toCaseFolded();
    QString folded = name;
    for (QChar& character : folded)
        character = QChar(foldedAscii(character.unicode()));
    return folded;
}

void appendFoldedKey(const QString& name, QByteArray& key)
{
    const bool ascii = isAscii(name);
    const QString folded = ascii ? name : name.toCaseFolded();
    const qsizetype start = key.size();
    key.resize(start + 2 * folded.size());
    char* byte = key.data() + start;
    for (const QChar character : folded) {
        const char16_t code = ascii ? foldedAscii(character.unicode()) : character.unicode();
        *byte++ = char(code >> 8);
        *byte++ = char(code & 0xFF);
    }
}

}  // namespace platform
