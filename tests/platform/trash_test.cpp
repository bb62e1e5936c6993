#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/trash.h"
#include "support/private_data_home.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

using TrashListing = QMap<QByteArray, QByteArray>;

void setZone(const QByteArray& zone)
{
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    ::tzset();
}

class TrashTest : public ::testing::Test {
protected:
    // Local time apart from UTC, so that a date in UTC shows.
    void SetUp() override { setZone("JST-9"); }
    void TearDown() override { setZone(savedZone); }

    QList<QByteArray> names(const QByteArray& folder) const { return rawNames(root + "/" + folder); }
    ino_t inodeOf(const QByteArray& relative) const
    {
        struct stat info;
        return ::lstat(root + "/" + relative, &info) == 0 ? info.st_ino : 0;
    }
    TrashListing trashAt(const QByteArray& trash) const { return readTrash(root + "/" + trash); }

    const QByteArray savedZone = qgetenv("TZ");
    TempTree tree;
    const QByteArray root = encodeFileName(QFileInfo(tree.root()).canonicalFilePath());
    const ScopedDataHome dataHome{decodeFileName(root + "/data")};
    TrashEntry entry;
};

}  // namespace

// Files go into the home trash by one rename (the same inode) under their
// exact original paths, byte names and characters to escape included, and
// come back. Trees and links are trashed whole by the folder deletion's tests.
TEST_F(TrashTest, HomeTrashKeepsExactPathsAndGivesEntriesBack)
{
    for (const QByteArray name : {"photo.jpg", "bad\xff name%#?.txt", "\x83\x65\x83\x58\x83\x67.txt",
                                  "\xe5\x86\x99\xe7\x9c\x9f 1.JPG"}) {
        SCOPED_TRACE(name.toHex().constData());
        tree.writeRaw("src/" + name, "data");
        const QString original = decodeFileName(root + "/src/" + name);
        const ino_t inode = inodeOf("src/" + name);
        ASSERT_FALSE(moveToTrash(original, entry).failed());
        EXPECT_EQ(trashAt("data/Trash"), (TrashListing{{name, root + "/src/" + name}}));
        EXPECT_EQ(inodeOf("data/Trash/files/" + name), inode);
        ASSERT_FALSE(restoreFromTrash(entry, original).failed());
        EXPECT_EQ(inodeOf("src/" + name), inode);
        EXPECT_TRUE(trashAt("data/Trash").isEmpty());
    }
}

// A name the trash holds already, from Velda or any other program, is never
// replaced: the next free one is taken, the extension kept. A name too long to
// take ".trashinfo" is shortened between characters.
TEST_F(TrashTest, ANameTakenInTheTrashGetsAnother)
{
    const QByteArray a = QString(QChar(0x3042)).toUtf8();
    const struct { QByteArray name; QList<QByteArray> taken /* in the trash already */; QByteArray expected; } cases[] = {
        {"photo.jpg", {"files/photo.jpg"}, "photo.2.jpg"},
        {"photo.jpg", {"info/photo.jpg.trashinfo"}, "photo.2.jpg"},
        {"photo.jpg", {"files/photo.jpg", "info/photo.2.jpg.trashinfo"}, "photo.3.jpg"},
        {a.repeated(83) + ".jpg", {}, a.repeated(80) + ".jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.constData());
        tree.removeRaw("data");
        for (const QByteArray& taken : c.taken)
            tree.writeRaw("data/Trash/" + taken, "older");
        tree.writeRaw("src/" + c.name, "newer");
        ASSERT_FALSE(moveToTrash(decodeFileName(root + "/src/" + c.name), entry).failed());
        EXPECT_EQ(encodeFileName(entry.name), c.expected);
        EXPECT_EQ(tree.readRaw("data/Trash/files/" + c.expected), "newer");
        EXPECT_EQ(readTrashInfo(root + "/data/Trash/info/" + c.expected + ".trashinfo"), root + "/src/" + c.name);
        for (const QByteArray& taken : c.taken)
            EXPECT_EQ(tree.readRaw("data/Trash/" + taken), "older");
    }
}

// A file on another volume (a tmpfs; a bind mount of the home trash's own
// disk) stays on it: in .Trash/$uid where .Trash is a real sticky folder, else
// in .Trash-$uid, recorded relative to the volume's top. A trash folder that is
// a link or someone else's is not used; where no trash can be made, canTrash
// says so before anything moves.
TEST_F(TrashTest, AFileOnAnotherVolumeStaysOnIt)
{
    const QByteArray own = ".Trash-" + QByteArray::number(::geteuid());
    const QByteArray shared = ".Trash/" + QByteArray::number(::geteuid());
    // folder: made on the volume with mode, and linked as link; trash empty: refused
    const struct { QByteArray folder; mode_t mode; QByteArray link, trash; bool someoneElses = false, readOnly = false; } cases[] = {
        {"", 0, "", own}, {".Trash", 01777, "", shared}, {".Trash", 0777, "", own} /* not sticky */,
        {"elsewhere", 01777, ".Trash", own}, {"elsewhere", 0700, own, ""}, {own, 0700, "", "", true},
        {"", 0, "", "", false, true},
    };
    for (const QByteArray bound : {"", "bound"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.folder + " " + c.link + " " + bound));
            tree.removeRaw("data");
            tree.removeRaw("bound");
            if (!bound.isEmpty())
                tree.makeFolder(bound);
            TestMount volume(tree, bound.isEmpty() ? TestMount::Kind::Tmpfs : TestMount::Kind::View, "volume", bound);
            if (!volume.mounted())
                GTEST_SKIP() << "no mount possible here";
            const QByteArray top = root + "/volume";
            tree.writeRaw("volume/sub/a.txt", "data");
            EXPECT_TRUE(c.folder.isEmpty() || ::mkdir(top + "/" + c.folder, c.mode) == 0);
            EXPECT_TRUE(c.link.isEmpty() || ::symlink(c.folder, top + "/" + c.link) == 0);
            EXPECT_TRUE(!c.someoneElses || ::chown(top + "/" + c.folder, ::geteuid() + 1, ::getegid()) == 0);
            EXPECT_TRUE(!c.readOnly || volume.remountReadOnly());
            const QString path = decodeFileName(top + "/sub/a.txt");
            EXPECT_EQ(canTrash({path}), !c.trash.isEmpty());
            EXPECT_EQ(moveToTrash(path, entry).number, c.trash.isEmpty() ? 75 : 0);
            EXPECT_TRUE(names("data/Trash/files").isEmpty() && names("volume/elsewhere").isEmpty());
            EXPECT_EQ(tree.readRaw("volume/sub/a.txt"), c.trash.isEmpty() ? "data" : "");
            if (c.trash.isEmpty())
                continue;
            EXPECT_EQ(trashAt("volume/" + c.trash), (TrashListing{{"a.txt", "sub/a.txt"}}));
            struct stat info;
            EXPECT_EQ(::lstat(top + "/" + c.trash, &info) == 0 ? info.st_mode & 07777 : 0, 0700u);
        }
    }
}

// What cannot go to the trash safely stays where it was, the trash untouched.
TEST_F(TrashTest, RefusalsLeaveEverythingAsItWas)
{
    const struct { const char* what; QByteArray entry; std::optional<FileStamp> expected; int error; bool needsMount = false; } cases[] = {
        {"another file at the path", "src/a.txt", FileStamp{0, 1}, 53},
        {"a folder holding the trash", "data", std::nullopt, 75},
        {"a folder holding a mounted volume", "src", std::nullopt, 75, true},
        {"a mounted volume itself", "src/sub/volume", std::nullopt, 75, true},
        {"a folder holding a volume, seen through a bind mount", "view/sub", std::nullopt, 75, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tree.writeRaw("src/a.txt", "data");
        tree.writeRaw("data/Trash/files/kept.txt", "older");
        tree.writeRaw("data/Trash/info/kept.txt.trashinfo", "[Trash Info]\nPath=/kept.txt\n");
        const TestMount volume(tree, TestMount::Kind::Tmpfs, "src/sub/volume");
        const TestMount view(tree, TestMount::Kind::View, "view", "src");
        if (c.needsMount && !(volume.mounted() && view.mounted()))
            continue;  // no mount possible here
        const QString path = decodeFileName(root + "/" + c.entry);
        const ino_t inode = inodeOf(c.entry);
        EXPECT_EQ(canTrash({path}), c.entry != "data");
        EXPECT_EQ(moveToTrash(path, entry, c.expected).number, c.error);
        EXPECT_EQ(inodeOf(c.entry), inode);
        EXPECT_EQ(names("data/Trash/info") + names("data/Trash/files"),
                  QList<QByteArray>({"kept.txt.trashinfo", "kept.txt"}));
    }
}

// Back to its place only: a name taken meanwhile is never replaced, a trashed
// file gone meanwhile is a failure to name, and the entry stays in the trash.
TEST_F(TrashTest, RestoreNeverReplaces)
{
    const struct { QByteArray entry; std::function<void()> meanwhile; int error; QByteArray fileAfter; } cases[] = {
        {"a.txt", [this] { tree.writeRaw("src/a.txt", "new"); }, 58, "new"},
        {"f", [this] { tree.makeFolder("src/f"); }, 58, "old"},
        {"a.txt", [this] { tree.removeRaw("data/Trash/files/a.txt"); }, 53, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        tree.removeRaw("data");
        tree.writeRaw("src/f/b.txt", "old");
        tree.writeRaw("src/a.txt", "old");
        const QString path = decodeFileName(root + "/src/" + c.entry);
        ASSERT_FALSE(moveToTrash(path, entry).failed());
        c.meanwhile();
        EXPECT_EQ(restoreFromTrash(entry, path).number, c.error);
        EXPECT_EQ(names("data/Trash/info").size(), 1);
        EXPECT_EQ(tree.readRaw("src/a.txt"), c.fileAfter);
        EXPECT_EQ(names("src/f").size(), c.entry == "f" ? 0 : 1);
    }
}
