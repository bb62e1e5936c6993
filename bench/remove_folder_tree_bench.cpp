// Times the removal of a tree of 100,000 files in 2,000 folders against rm -rf.
#include "folder_delete/remove_folder_tree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int TopFolders = 40;
constexpr int SubfoldersEach = 49;  // 40 + 40 * 49 = 2,000 folders
constexpr int FilesPerFolder = 50;  // 100,000 files

void buildTree(const QString& root)
{
    auto fill = [](const QString& folder) {
        QDir().mkpath(folder);
        for (int f = 0; f < FilesPerFolder; ++f) {
            QFile file(folder + QStringLiteral("/file%1.dat").arg(f));
            file.open(QIODevice::WriteOnly);
            file.write("data");
        }
    };
    for (int t = 0; t < TopFolders; ++t) {
        const QString top = root + QStringLiteral("/top%1").arg(t);
        fill(top);
        for (int s = 0; s < SubfoldersEach; ++s)
            fill(top + QStringLiteral("/sub%1").arg(s));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString tree = scratch.path() + QStringLiteral("/tree");

    buildTree(tree);
    QElapsedTimer timer;
    timer.start();
    const qint16 result = MarlowFuncUtility::RemoveFolderTree(tree);
    const qint64 veldaMs = timer.elapsed();

    buildTree(tree);
    timer.restart();
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), tree});
    const qint64 rmMs = timer.elapsed();

    std::printf("RemoveFolderTree: %lld ms (result %d)\nrm -rf:           %lld ms\n",
                static_cast<long long>(veldaMs), result, static_cast<long long>(rmMs));
    return result;
}
