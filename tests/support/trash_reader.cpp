#include "support/trash_reader.h"

#include "support/temp_tree.h"

#include <QDateTime>

#include <algorithm>
#include <dirent.h>

QByteArray readTrashInfo(const QByteArray& file)
{
    const QList<QByteArray> lines = readRawFile(file).split('\n');
    EXPECT_EQ(lines.value(0), "[Trash Info]");
    QMap<QByteArray, QByteArray> keys;
    for (const QByteArray& line : lines) {
        const int equals = line.indexOf('=');
        if (equals > 0 && !keys.contains(line.left(equals)))
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    const QByteArray path = keys.value("Path");
    EXPECT_TRUE(std::all_of(path.begin(), path.end(), [](char c) { return c > ' ' && c < 127; })) << "not escaped";
    const QDateTime deleted = QDateTime::fromString(QString::fromLatin1(keys.value("DeletionDate")),
                                                    QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    EXPECT_LT(qAbs(deleted.secsTo(QDateTime::currentDateTime())), 3600) << "not local time";
    return QByteArray::fromPercentEncoding(path);
}

QList<QByteArray> rawNames(const QByteArray& folder)
{
    QList<QByteArray> names;
    if (DIR* listing = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(listing))
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names.append(entry->d_name);
        ::closedir(listing);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QMap<QByteArray, QByteArray> readTrash(const QByteArray& trashFolder)
{
    QMap<QByteArray, QByteArray> entries;
    for (const QByteArray& infoName : rawNames(trashFolder + "/info")) {
        const QByteArray name = infoName.left(infoName.size() - 10);
        EXPECT_EQ(infoName.mid(name.size()), ".trashinfo");
        EXPECT_TRUE(rawNames(trashFolder + "/files").contains(name)) << name.constData();
        entries.insert(name, readTrashInfo(trashFolder + "/info/" + infoName));
    }
    EXPECT_EQ(rawNames(trashFolder + "/files").size(), entries.size());
    return entries;
}
