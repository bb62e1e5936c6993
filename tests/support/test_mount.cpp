#include "support/test_mount.h"

#include <QFile>

#include <sys/mount.h>

bool TestMount::mountVolume(const QString& at, Volume volume)
{
    const QByteArray target = QFile::encodeName(at);
    if (volume == Volume::Tmpfs)
        return mounted(::mount("velda-test", target.constData(), "tmpfs", 0, "size=1m"), at);
    return mounted(::mount("server:/export", target.constData(), "ramfs", 0, nullptr), at);
}

bool TestMount::bind(const QString& at, const QString& from)
{
    return mounted(::mount(QFile::encodeName(from).constData(), QFile::encodeName(at).constData(), nullptr, MS_BIND,
                           nullptr),
                   at);
}

bool TestMount::mounted(int result, const QString& at)
{
    if (result != 0)
        return false;
    at_ = QFile::encodeName(at);
    return true;
}

TestMount::~TestMount()
{
    if (!at_.isEmpty())
        ::umount2(at_.constData(), MNT_DETACH);
}
