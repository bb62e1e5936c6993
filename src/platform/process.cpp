#include "platform/process.h"

#include "platform/file_name_codec.h"

#include <QCoreApplication>

#include <cstdlib>
#include <unistd.h>

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

QString currentFolder()
{
    // Qt's own current path would turn bytes that are not UTF-8 into U+FFFD.
    char* path = ::getcwd(nullptr, 0);
    if (!path)
        return QString();
    const QString folder = decodeFileName(QByteArray(path));
    std::free(path);
    return folder;
}

bool setCurrentFolder(const QString& folder)
{
    return ::chdir(encodeFileName(folder).constData()) == 0;
}

}  // namespace platform
