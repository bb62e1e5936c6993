#include "main_window/dropped_paths.h"
#include "platform/file_name_codec.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QStringList pathsOfUriList(const QByteArray& uriList)
{
    QMimeData data;
    data.setData("text/uri-list", uriList);
    return DroppedPaths::localPaths(&data);
}

}  // namespace

TEST(DroppedPaths, LocalFilesArriveByteExactAndAnythingElseIsNoDropOfFiles)
{
    const QByteArray sjis("/home/ann/\x8e\xca\x90\x5e");
    EXPECT_EQ(pathsOfUriList("file:///home/ann/%E5%86%99%E7%9C%9F\r\nfile:///home/ann/%8E%CA%90%5E\r\n"),
              QStringList({"/home/ann/写真", platform::decodeFileName(sjis)}));
    EXPECT_EQ(platform::encodeFileName(pathsOfUriList("file:///home/ann/%8E%CA%90%5E\r\n").value(0)), sjis);
    EXPECT_EQ(pathsOfUriList("file:///tmp/a\r\nhttps://example.com/b.zip\r\n"), QStringList());
    QMimeData text;
    text.setText("/tmp/a");
    EXPECT_EQ(DroppedPaths::localPaths(&text), QStringList());
}

TEST(DroppedPaths, OneFolderSetsAFieldAndFilesCountInTheirOwnFolderOnly)
{
    TempTree tree;
    const QString photos = tree.makeFolder("photos");
    tree.writeFile("photos/a.jpg");
    tree.writeFile("photos/b.jpg");
    tree.writeFile("other/c.jpg");
    ASSERT_EQ(::symlink(QFile::encodeName(photos).constData(), QFile::encodeName(tree.path("link")).constData()), 0);

    EXPECT_EQ(DroppedPaths::folderOf({photos}), photos);
    EXPECT_EQ(DroppedPaths::folderOf({photos + "/a.jpg"}), QString());
    EXPECT_EQ(DroppedPaths::folderOf({photos, tree.path("other")}), QString());

    const QStringList dropped{photos + "/a.jpg", tree.path("other/c.jpg"), tree.path("link/b.jpg")};
    EXPECT_EQ(DroppedPaths::namesIn(dropped, photos), QStringList({"a.jpg", "b.jpg"}));
    EXPECT_EQ(DroppedPaths::namesIn(dropped, tree.path("other")), QStringList({"c.jpg"}));
}
