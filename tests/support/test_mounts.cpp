#include "support/test_mounts.h"

#include "support/temp_tree.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sys/mount.h>
#include <unistd.h>

namespace {

bool run(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return true;
}

}  // namespace

TestMount::TestMount(TempTree& tree, Kind kind, const QString& relative, const QString& viewOf)
    : folder_(QFileInfo(tree.path(relative)).isFile() ? tree.path(relative) : tree.makeFolder(relative)), kind_(kind)
{
    if (::geteuid() != 0)
        return;
    const QByteArray target = QFile::encodeName(folder_);
    switch (kind) {
    case Kind::Tmpfs:
        mounted_ = ::mount("tmpfs", target.constData(), "tmpfs", 0, "size=8m") == 0;
        break;
    case Kind::Share:
        mounted_ = ::mount("server:/export", target.constData(), "ramfs", 0, nullptr) == 0;
        break;
    case Kind::View:
    case Kind::ReadOnlyView:
        mounted_ = ::mount(QFile::encodeName(tree.path(viewOf)).constData(), target.constData(), nullptr, MS_BIND,
                           nullptr) == 0;
        if (mounted_ && kind == Kind::ReadOnlyView && !remountReadOnly()) {
            ::umount(target.constData());
            mounted_ = false;
        }
        break;
    case Kind::Exfat: {
        const QString image = tree.path(relative + ".img");
        QFile file(image);
        if (QStandardPaths::findExecutable("mount.exfat-fuse").isEmpty() || !file.open(QIODevice::WriteOnly)
            || !file.resize(16 * 1024 * 1024))
            return;
        file.close();
        if (run("mkfs.exfat", {image}) && run("losetup", {"-f", "--show", image}, &device_))
            mounted_ = run("mount.exfat-fuse", {device_, folder_});
        break;
    }
    }
}

TestMount::~TestMount()
{
    if (mounted_)
        run("umount", {folder_});
    if (!device_.isEmpty())
        run("losetup", {"-d", device_});
}

bool TestMount::remountReadOnly()
{
    const bool view = kind_ == Kind::View || kind_ == Kind::ReadOnlyView;
    const unsigned long flags = MS_REMOUNT | MS_RDONLY | (view ? MS_BIND : 0);
    return ::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr, flags, nullptr) == 0;
}

ImmutableFile::ImmutableFile(const QString& path) : path_(path), made_(run("chattr", {"+i", path}))
{
}

ImmutableFile::~ImmutableFile()
{
    if (made_)
        run("chattr", {"-i", path_});
}
