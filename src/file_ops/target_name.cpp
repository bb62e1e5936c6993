#include "file_ops/target_name.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"

#include <algorithm>
#include <climits>

namespace FileOps {

namespace {

constexpr int FatNameUnits = 255;

bool isFatName(const QString& name)
{
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("\"*:<>?\\|").contains(c))
            return false;
    }
    return !name.endsWith(QLatin1Char('.')) && !name.endsWith(QLatin1Char(' '));
}

}  // namespace

bool isUsableTargetName(const QString& newName, int maxNameBytes, bool fatNames)
{
    // A name starting with "." would be hidden: no list would show the copy.
    if (newName.isEmpty() || newName.startsWith(QLatin1Char('.')))
        return false;
    if (newName.contains(QLatin1Char('/')) || newName.contains(QChar(0)))
        return false;
    // A rule that cuts a character of two UTF-16 units in half leaves a name
    // that has no bytes on disk; a kept name's foreign bytes have theirs.
    // Only names with surrogates need the round trip to tell.
    const bool surrogates = std::any_of(newName.begin(), newName.end(), [](QChar c) { return c.isSurrogate(); });
    const QByteArray bytes = surrogates ? platform::encodeFileName(newName) : newName.toUtf8();
    if (surrogates && platform::decodeFileName(bytes) != newName)
        return false;
    // A stick keeps names as Unicode: bytes that are no UTF-8 have no name there.
    if (fatNames && (!isFatName(newName) || platform::hasForeignBytes(newName)))
        return false;
    // A stick counts a name's UTF-16 units, whatever its bytes.
    return fatNames ? newName.size() <= FatNameUnits : bytes.size() <= maxNameBytes;
}

TargetNameCheck::TargetNameCheck(const QStringList& folders) : maxNameBytes_(INT_MAX)
{
    for (const QString& folder : folders) {
        // A staging folder on another file system never holds a new name.
        if (folder != folders.first()
            && platform::compareFileSystems(folder, folders.first()) == platform::FileSystemMatch::Different)
            continue;
        maxNameBytes_ = std::min(maxNameBytes_, platform::maxFileNameBytes(folder));
        fatNames_ = fatNames_ || platform::storesFatNamesOnly(folder);
    }
}

QString unusableNameMessage(const QString& sourceName, const QString& newName)
{
    return platform::readableFileName(sourceName) + QStringLiteral("  のコピー後のファイル名「")
        + platform::readableFileName(newName)
        + QStringLiteral("」は使用できません。コピーを中止します。");
}

}  // namespace FileOps
