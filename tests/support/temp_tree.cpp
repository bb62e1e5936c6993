#include "support/temp_tree.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

QString TempTree::writeFile(const QString& relative, const QByteArray& content)
{
    writeRaw(QFile::encodeName(relative), content);
    return path(relative);
}

QString TempTree::makeFolder(const QString& relative)
{
    const QString full = path(relative);
    EXPECT_TRUE(QDir().mkpath(full));
    return full;
}

bool TempTree::exists(const QString& relative) const
{
    return existsRaw(QFile::encodeName(relative));
}

QStringList TempTree::names(const QString& relative) const
{
    QStringList list = QDir(path(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                      | QDir::NoDotAndDotDot);
    list.sort();
    return list;
}

void TempTree::setReadOnly(const QString& relative)
{
    QFile::setPermissions(path(relative), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                              | QFileDevice::ReadOther);
}

void TempTree::writeRaw(const QByteArray& relative, const QByteArray& content)
{
    const QByteArray full = rawPath(relative);
    for (int slash = full.indexOf('/', 1); slash > 0; slash = full.indexOf('/', slash + 1))
        ::mkdir(full.left(slash).constData(), 0755);
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << full.constData();
    EXPECT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
    ::close(fd);
}

QByteArray TempTree::readRaw(const QByteArray& relative) const
{
    return readRawFile(rawPath(relative));
}

QByteArray readRawFile(const QByteArray& path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? file.readAll() : QByteArray();
}

bool TempTree::existsRaw(const QByteArray& relative) const
{
    struct stat info;
    return ::lstat(rawPath(relative).constData(), &info) == 0;
}

void TempTree::removeRaw(const QByteArray& relative)
{
    ::nftw(rawPath(relative).constData(),
           [](const char* entry, const struct stat*, int, struct FTW*) { return ::remove(entry); }, 16,
           FTW_DEPTH | FTW_PHYS);
}
