#include "file_ops/folder_run.h"
#include "file_ops/trash_messages.h"
#include "platform/file_name_codec.h"
#include "support/private_data_home.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"
#include "support/trash_reader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

#include <unistd.h>

namespace {

const QByteArray Old = QByteArray(7000, 'o') + "old", New = QByteArray(9000, 'n') + "new";

}  // namespace

// A file a copy or move replaces goes to the trash of its own volume, where
// the desktop lists it under its exact path; the new file takes its name.
// Where no trash can be reached, the user is asked once, before anything is
// copied, whether to replace for good.
TEST(ReplacedFiles, GoToTheTrashOfTheirVolume)
{
    const QByteArray uid = QByteArray::number(::geteuid());
    const struct {
        const char* what;
        TestMount::Kind volume;  // of "vol", holding the destination "vol/dst"
        bool onVolume, move, noTrash;
        QVector<platform::MessageAnswer> toQuestion;  // empty: not asked
        QByteArray trash;  // relative to the tree, empty: replaced for good or not at all
        QByteArray recorded;  // the path the trash records, relative to the tree unless on the volume
        bool copied;
    } cases[] = {
        {"copy, one disk", TestMount::Kind::Tmpfs, false, false, false, {}, "data/Trash", "d/a.txt", true},
        {"move, one disk", TestMount::Kind::Tmpfs, false, true, false, {}, "data/Trash", "d/a.txt", true},
        {"move onto a stick", TestMount::Kind::Exfat, true, true, false, {}, "vol/.Trash-" + uid, "dst/a.txt", true},
        {"no trash, declined", TestMount::Kind::Tmpfs, true, false, true, {platform::MessageAnswer::No}, "", "", false},
        {"no trash, for good", TestMount::Kind::Tmpfs, true, true, true, {platform::MessageAnswer::Yes}, "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        const ScopedDataHome dataHome(tree.path("data"));
        std::optional<TestMount> volume;
        if (c.onVolume && !volume.emplace(tree, c.volume, "vol").mounted())
            continue;  // no such mount here
        // A trash folder that is a link is never used.
        ASSERT_TRUE(!c.noTrash || QFile::link("elsewhere", tree.path("vol/.Trash-" + uid)));
        const QString destination = c.onVolume ? "vol/dst" : "d";
        tree.writeFile("src/a.txt", New);
        tree.writeFile(destination + "/a.txt", Old);
        FolderRun run(tree, {{"a.txt", "a.txt"}}, {}, c.move, true, "src", destination);
        EXPECT_EQ(run.runConfirmed(c.toQuestion),
                  c.toQuestion.isEmpty() ? QStringList() : QStringList{FileOps::noTrashQuestion()});
        EXPECT_EQ(tree.readFile(destination + "/a.txt"), c.copied ? New : Old);
        EXPECT_EQ(tree.exists("src/a.txt"), !c.copied || !c.move);
        if (c.trash.isEmpty()) {
            EXPECT_TRUE(rawNames(platform::encodeFileName(tree.path("data/Trash/files"))).isEmpty());
            continue;
        }
        const QByteArray trash = platform::encodeFileName(tree.path(c.trash));
        const QByteArray recorded = c.onVolume ? c.recorded : platform::encodeFileName(tree.path(c.recorded));
        EXPECT_EQ(readTrash(trash), (QMap<QByteArray, QByteArray>{{"a.txt", recorded}}));
        EXPECT_EQ(tree.readFile(c.trash + "/files/a.txt"), Old);
    }
}
