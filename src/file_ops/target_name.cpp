#include "file_ops/target_name.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"


#include <algorithm>
#include <climits>

namespace FileOps {

bool isUsableTargetName(const QString& newName, int maxNameBytes)
{
    if (newName.isEmpty() || newName == QLatin1String(".") || newName == QLatin1String(".."))
        return false;
    if (newName.contains(QLatin1Char('/')) || newName.contains(QChar(0)))
        return false;
    return platform::encodeFileName(newName).size() <= maxNameBytes;
}

int maxNameBytesOf(const QStringList& folders)
{
    int limit = INT_MAX;
    for (const QString& folder : folders)
        limit = std::min(limit, platform::maxFileNameBytes(folder));
    return limit;
}

QString unusableNameMessage(const QString& sourceName, const QString& newName)
{
    return sourceName + QStringLiteral("  のコピー後のファイル名「") + newName
        + QStringLiteral("」は使用できません。コピーを中止します。");
}

}  // namespace FileOps
