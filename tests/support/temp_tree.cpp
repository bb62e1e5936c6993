#include "support/temp_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TempTree::TempTree()
{
    EXPECT_TRUE(dir_.isValid());
}

QString TempTree::path(const QString& relative) const
{
    return relative.isEmpty() ? root() : root() + QLatin1Char('/') + relative;
}

QString TempTree::writeFile(const QString& relative, const QByteArray& content)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << full.toStdString();
    file.write(content);
    return full;
}

QByteArray TempTree::readFile(const QString& relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString TempTree::makeFolder(const QString& relative)
{
    const QString full = path(relative);
    EXPECT_TRUE(QDir().mkpath(full));
    return full;
}

bool TempTree::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative)) || QFileInfo(path(relative)).isSymLink();
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
