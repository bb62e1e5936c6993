// The process the kill test kills: moves every file of a folder, the sources
// deleted in small groups, writing a line as each file starts.
#include "file_ops/copy_one_file.h"
#include "file_ops/moved_sources.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList folders = app.arguments().mid(1);  // source, destination, staging
    if (folders.size() != 3)
        return 2;
    FileOps::MovedSources group(25, 100);
    for (const QString& name : QDir(folders.at(0)).entryList(QDir::Files, QDir::Name)) {
        std::puts("copying");
        std::fflush(stdout);
        if (FileOps::copyOneFile({folders.at(0) + '/' + name, "moved_" + name, folders.at(1), folders.at(2), true, false}) > 0)
            return 1;
    }
    return group.finish();
}
