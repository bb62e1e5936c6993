#include "main_window/dropped_paths.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(DroppedPaths, LocalFilesArriveByteExactAndAnythingElseIsNoDropOfFiles)
{
    const QList<QPair<QByteArray, QList<QByteArray>>> cases{
        {"file:///home/ann/%E5%86%99%E7%9C%9F\r\nfile:///home/ann/%8E%CA%90%5E\r\n",
         {"/home/ann/写真", "/home/ann/\x8e\xca\x90\x5e"}},
        {"file:///tmp/a\r\nhttps://example.com/b.zip\r\n", {}},
    };
    for (const auto& [uriList, expected] : cases) {
        QMimeData data;
        data.setData("text/uri-list", uriList);
        QList<QByteArray> paths;
        for (const QString& path : DroppedPaths::localPaths(&data))
            paths << platform::encodeFileName(path);
        EXPECT_EQ(paths, expected) << uriList.constData();
    }
}

// Whatever spelling of the folder the file manager shows.
TEST(DroppedPaths, FilesCountInTheirOwnFolderOnly)
{
    TempTree tree;
    const QString photos = tree.makeFolder("photos");
    tree.writeFile("photos/b.jpg");
    ASSERT_TRUE(QFile::link(photos, tree.path("link")));
    const QStringList dropped{photos + "/a.jpg", tree.path("other/c.jpg"), tree.path("link/b.jpg")};
    EXPECT_EQ(DroppedPaths::namesIn(dropped, photos), QStringList({"a.jpg", "b.jpg"}));
}
