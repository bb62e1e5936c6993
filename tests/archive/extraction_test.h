#pragma once

#include "archive/archive_work_folder.h"
#include "archive/extract_archive.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <QCryptographicHash>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <sys/stat.h>

// Archives extracted as a double-click extracts them, each into an emptied
// work folder.
class ExtractionTest : public ::testing::Test {
protected:
    ~ExtractionTest() override { ::umask(savedMask); }

    void extract(const QString& name, const QByteArray& bytes, ExtractionProgress* progress = nullptr)
    {
        ArchiveWorkFolder::makeEmpty(melt);
        messages.clear();
        count = -1;
        MarlowFuncUtility::ExtractArchive(tree.writeFile("in/" + name, bytes), melt + "/", count, result, progress);
    }

    // "path=data" for a file, long data by its size and hash; "path/" for an empty folder.
    static QString entry(const QString& path, const QByteArray& data)
    {
        return path + '=' + (data.size() <= 64 ? QString::fromUtf8(data) : QString::number(data.size()) + " bytes "
                                 + QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex().left(8));
    }
    // Every file and empty folder below the work folder, sorted. Whatever mode
    // a member gives, set-user-ID included, a file gets the user's own default:
    // any other is listed.
    QStringList listing() const
    {
        QStringList entries;
        const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        for (QDirIterator it(melt, all, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next(), relative = path.mid(melt.size() + 1);
            if (it.fileInfo().isDir()) {
                if (QDir(path).isEmpty(all))
                    entries << relative + '/';
                continue;
            }
            struct stat info {};
            ::lstat(QFile::encodeName(path).constData(), &info);
            const mode_t mode = info.st_mode & 07777;
            entries << entry(relative, tree.readFile("MELT/" + relative))
                           + (mode == 0640 ? QString() : " " + QString::number(mode, 8));
        }
        entries.sort();
        return entries;
    }

    // What one extraction gives back, the end of the one message it shows, if
    // any, and the listing of what it leaves in the work folder.
    struct Outcome { const char* name; QByteArray bytes; qint16 result; qint32 count; QString message; QStringList left;
                     ExtractionProgress* progress = nullptr; };
    void expect(const Outcome& row)
    {
        SCOPED_TRACE(row.name);
        extract(row.name, row.bytes, row.progress);
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(count, row.count);
        EXPECT_EQ(listing(), row.left);
        EXPECT_EQ(messages.count(), row.message.isEmpty() ? 0 : 1);
        EXPECT_TRUE(messages.last().endsWith(row.message)) << messages.texts().join('|').toStdString();
    }

    const mode_t savedMask = ::umask(027);
    ScriptedMessages messages;
    TempTree tree;
    QString melt = tree.makeFolder("MELT");
    const QByteArray cutLzh =
        TestArchives::lzh({{"first.txt", "first"}, {"second.txt", QByteArray(5000, 'y')}}).chopped(1000);
    qint32 count = -1;
    qint16 result = -1;
};
