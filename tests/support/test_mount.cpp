#include "support/test_mount.h"

#include <QFile>

#include <sys/mount.h>

bool TestMount::attach(const QString& at, const QString& from)
{
    const QByteArray target = QFile::encodeName(at);
    const int mounted = from.isEmpty()
        ? ::mount("velda-test", target.constData(), "tmpfs", 0, "size=1m")
        : ::mount(QFile::encodeName(from).constData(), target.constData(), nullptr, MS_BIND, nullptr);
    if (mounted != 0)
        return false;
    at_ = target;
    return true;
}

TestMount::~TestMount()
{
    if (!at_.isEmpty())
        ::umount2(at_.constData(), MNT_DETACH);
}
