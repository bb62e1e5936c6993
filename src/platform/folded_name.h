#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// name with letter case folded away: two names that differ only in case fold
// alike. Names compare and sort through it as the file dialogs order them.
QString foldedName(const QString& name);

// foldedName(name) appended to key as bytes (UTF-16, high byte first) that
// memcmp orders as the folded names order: sorting thousands of names then
// costs a plain byte comparison each time.
void appendFoldedKey(const QString& name, QByteArray& key);

}  // namespace platform
