#include "file_ops/undo_run.h"
#include "folder_delete/folder_deletion.h"
#include "platform/fault_injection.h"
#include "support/main_window_test.h"
#include "support/test_mounts.h"

#include <QAbstractButton>
#include <QAction>
#include <QDirIterator>
#include <QMap>

#include <optional>

namespace {

using Files = QMap<QString, QByteArray>;

// Every file under folders of the tree, hidden ones included, with its bytes.
Files filesIn(const TempTree& tree, const QStringList& folders)
{
    Files files;
    for (const QString& folder : folders) {
        QDirIterator entries(tree.path(folder), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString name = folder + entries.next().mid(tree.path(folder).size());
            files.insert(name, tree.readFile(name));
        }
    }
    return files;
}

enum class RunKind { CopyOverwriting, Move, FailingMove, Delete, FolderDeletion };

class UndoWindow : public MainWindowTest {
protected:
    frmMarlow& open(const QString& source, const QString& destination, bool move, bool overwrite)
    {
        frmMarlow& form = showMainWindow();
        EXPECT_FALSE(form.fileList(0)->setPath(form.SourceFolder = tree.makeFolder(source)).failed());
        EXPECT_FALSE(form.fileList(1)->setPath(form.DestFolder = tree.makeFolder(destination)).failed());
        form.Check1.at<QAbstractButton>(0)->setChecked(move);
        form.Check1.at<QAbstractButton>(1)->setChecked(overwrite);
        form.fileList(0)->selectAll();
        return form;
    }
    // A batch run of every file of source, confirmed.
    void copyAll(frmMarlow& form)
    {
        messages.answerYes();
        form.RunBatchCopy();
    }
    // Yes to the question; OK to the message that names what was left, given back.
    QString undo(frmMarlow& form, bool leftMessage = false)
    {
        messages.answerYes();
        if (leftMessage)
            messages.answerOk();
        form.mnUndo1->trigger();
        return messages.last();
    }
};

}  // namespace

// Each kind of run is undone to the byte: copies go, moved files come back under their old names (also
// across volumes), deleted files and folder trees and replaced files come back from the trash; a run
// stopped by a failure undoes what it did. The menu names the run, greyed once nothing is left.
TEST_F(UndoWindow, EachKindOfRunIsUndoneToTheByte)
{
    const struct { const char* what; RunKind run; std::optional<TestMount::Kind> destinationVolume; QString menu; } cases[] = {
        {"copy with overwriting", RunKind::CopyOverwriting, {}, QStringLiteral("元に戻す: コピー 3 ファイル（")},
        {"move", RunKind::Move, {}, QStringLiteral("元に戻す: 移動 3 ファイル（")},
        {"move stopped by a failure", RunKind::FailingMove, {}, QStringLiteral("元に戻す: 移動 2 ファイル（")},
        {"move to a tmpfs", RunKind::Move, TestMount::Kind::Tmpfs, QStringLiteral("元に戻す: 移動 3 ファイル（")},
        {"move to an exFAT stick", RunKind::Move, TestMount::Kind::Exfat, QStringLiteral("元に戻す: 移動 3 ファイル（")},
        {"削除", RunKind::Delete, {}, QStringLiteral("元に戻す: 削除 3 ファイル（")},
        {"folder deletion", RunKind::FolderDeletion, {}, QStringLiteral("元に戻す: フォルダの削除 tree（")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* folder : {"data", "s", "d"})
            tree.removeRaw(folder);
        std::optional<TestMount> volume;
        if (c.destinationVolume && !volume.emplace(tree, *c.destinationVolume, "d").mounted())
            continue;  // no such mount here
        for (int i = 1; i <= 3; ++i)
            tree.writeFile(QString("s/%1.txt").arg(i), QByteArray(3000 * i, char('a' + i)));
        tree.writeFile("s/tree/sub/deep.txt", "deep");
        tree.writeFile("d/dst/2.txt", "replaced");
        const QStringList folders{"s", "d/dst"};
        const Files before = filesIn(tree, folders);
        frmMarlow& form = open("s", "d/dst", c.run != RunKind::CopyOverwriting, true);
        EXPECT_FALSE(form.mnUndo1->isEnabled());
        if (c.run == RunKind::FailingMove)
            platform::injectFault(platform::FileOperation::Rename, 57, "3.txt");
        if (c.run == RunKind::Delete) {
            messages.answerOk();
            form.DeleteSelectedFiles();
        } else if (c.run == RunKind::FolderDeletion) {
            messages.answerYes();
            FolderDeletion::deleteFolder(tree.path("s/tree"), {});
            form.refreshUndoMenu();
        } else {
            copyAll(form);
        }
        platform::clearInjectedFaults();
        ASSERT_NE(filesIn(tree, folders), before);
        EXPECT_TRUE(form.mnUndo1->isEnabled());
        EXPECT_TRUE(form.mnUndo1->text().startsWith(c.menu));

        undo(form);
        EXPECT_EQ(filesIn(tree, folders), before);
        EXPECT_FALSE(form.mnUndo1->isEnabled());
    }
}

// A file changed since the run (moved or copied), or whose old name another
// file holds now, is left as it is and named; the rest is undone, and what
// was left can be undone later. Undo then goes one run further back.
TEST_F(UndoWindow, NewerDataStaysAndTheRestIsUndone)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        tree.writeFile(QStringLiteral("s/") + name, name);
    tree.writeFile("d/a.txt", "replaced");
    tree.writeFile("s0/first.txt", "first");
    copyAll(open("s0", "d", false, true));  // the older run
    copyAll(open("s", "d", true, true));
    ASSERT_TRUE(tree.names("s").isEmpty());
    tree.writeFile("d/b.txt", "b.txt, changed");
    tree.writeFile("s/c.txt", "a new c");
    // What can be undone outlasts the program.
    unloadAllWindows();
    frmMarlow& form = showMainWindow();

    EXPECT_EQ(undo(form, true), QStringLiteral("元に戻せなかったファイル: b.txt, c.txt"));
    EXPECT_EQ(filesIn(tree, {"s", "d"}), (Files{{"s/a.txt", "a.txt"}, {"s/c.txt", "a new c"}, {"d/a.txt", "replaced"},
                                               {"d/b.txt", "b.txt, changed"}, {"d/c.txt", "c.txt"}, {"d/first.txt", "first"}}));
    EXPECT_TRUE(form.mnUndo1->text().startsWith(QStringLiteral("元に戻す: 移動 2 ファイル（")));

    QFile::remove(tree.path("s/c.txt"));
    EXPECT_EQ(undo(form, true), QStringLiteral("元に戻せなかったファイル: b.txt"));
    EXPECT_EQ(tree.readFile("s/c.txt"), "c.txt");
    EXPECT_FALSE(tree.exists("d/c.txt"));

    // Gone: named once more, then no longer offered; the older run is next,
    // its copy changed since.
    QFile::remove(tree.path("d/b.txt"));
    EXPECT_EQ(undo(form, true), QStringLiteral("元に戻せなかったファイル: b.txt"));
    tree.writeFile("d/first.txt", "first, changed");
    EXPECT_EQ(undo(form, true), QStringLiteral("元に戻せなかったファイル: first.txt"));
    EXPECT_EQ(filesIn(tree, {"s0", "d"}),
              (Files{{"s0/first.txt", "first"}, {"d/a.txt", "replaced"}, {"d/first.txt", "first, changed"}}));
}
