#include "platform/process.h"

#include <QCoreApplication>

namespace platform {

namespace {
QString& programFolderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    const QString& folder = programFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setProgramFolderOverride(const QString& folder)
{
    programFolderOverride() = folder;
}

}  // namespace platform
