#include "file_ops/folder_run.h"
#include "platform/fault_injection.h"
#include "platform/fs_error.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <unistd.h>

using platform::FileOperation;

namespace {

const QByteArray Content = QByteArray(300 * 1024, 'c') + "end";

QString error(int number, const QString& path)
{
    return platform::errorMessageText(platform::makeError(number)) + QChar(13) + path;
}

std::function<void(TempTree&)> inject(FileOperation operation, int number, const QString& pathPart = QString())
{
    return [=](TempTree&) { platform::injectFault(operation, number, pathPart); };
}

// The destination a hard link of the source: one file under two names.
void linkedDestination(TempTree& t)
{
    ASSERT_EQ(::link(QFile::encodeName(t.path("src/a.txt")).constData(), QFile::encodeName(t.path("dst/a.txt")).constData()), 0);
}

const QFileDevice::Permissions Open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

}  // namespace

// Whatever happens, src/a.txt stays whole or has a whole copy with its mode
// and time; the destination keeps its old file unless it was replaced; no
// temporary is left in the staging folder nor beside the destination. Onto
// another file system ("stick") a file is copied once, straight beside its
// destination.
TEST(CopyOneFile, EveryOutcomeIsReportedAndLosesNothing)
{
    const QString clash = QStringLiteral("コピー先に同一ファイルがあります。<root>/dst/a.txt のコピーはできませんでした。");
    const QString notDeleted = QStringLiteral("<root>/src/a.txt  の削除に失敗しました。以下の処理をキャンセルします。");
    const QString unsafe = QStringLiteral("a.txt  のコピー後のファイル名「../a.txt」は使用できません。コピーを中止します。");
    const QString source = QStringLiteral("<root>/src/a.txt"), destination = QStringLiteral("<root>/dst/a.txt");
    struct Case {
        const char* what;
        const char* into;  // "stick": a file system of its own
        const char* newName;
        bool move, overwrite;
        QByteArray existing;  // the destination's file before, if any
        std::function<void(TempTree&)> prepare;
        QString message;  // <root> stands for the tree's root; any message stops the run
        bool sourceKept;
        QByteArray destinationAfter;
        bool immutableDestination = false;
    };
    const Case cases[] = {
        {"clash, overwrite off, folder ending in /", "dst/", "a.txt", true, false, "old", {}, clash, true, "old"},
        {"read-only source", "dst", "a.txt", true, false, "", [](TempTree& t) { t.setReadOnly("src/a.txt"); }, notDeleted, true, Content},
        // Also root is refused: deletability is read from the permission bits.
        {"read-only source folder", "dst", "a.txt", true, false, "",
         [](TempTree& t) { QFile::setPermissions(t.path("src"), QFileDevice::ReadOwner | QFileDevice::ExeOwner); }, notDeleted,
         true, Content},
        {"unsafe name", "dst", "../a.txt", true, true, "", {}, unsafe, true, ""},
        {"disk full in staging", "dst", "a.txt", false, true, "old", inject(FileOperation::Copy, 61, "a.txt"), error(61, source), true, "old"},
        {"staging folder missing", "dst", "a.txt", false, true, "", [](TempTree& t) { t.removeRaw("TEMP"); }, error(76, source), true, ""},
        {"placement of a copy fails", "dst", "a.txt", false, true, "", inject(FileOperation::Rename, 57), error(57, destination), true, ""},
        {"renames cannot pass after all", "dst", "a.txt", true, false, "", inject(FileOperation::Rename, 74), "", false, Content},
        {"replacing fails", "dst", "a.txt", true, true, "old", inject(FileOperation::Replace, 75), error(75, destination), true, "old"},
        {"read-only destination", "dst", "a.txt", true, true, "old", [](TempTree& t) { t.setReadOnly("dst/a.txt"); },
         error(75, destination), true, "old"},
        {"immutable destination", "dst", "a.txt", true, true, "old", {}, error(70, destination), true, "old", true},
        {"moved onto its own hard link", "dst", "a.txt", true, true, "", linkedDestination, "", false, Content},
        {"copied onto its own hard link", "dst", "a.txt", false, true, "", linkedDestination, "", true, Content},
        {"placement fails on a stick", "stick", "b.txt", true, false, "", inject(FileOperation::Rename, 57),
         error(57, "<root>/stick/b.txt"), true, ""},
        {"renames cannot pass, then the copy fails", "dst", "a.txt", false, true, "old",
         [](TempTree&) {
             platform::injectFault(FileOperation::Replace, 74);
             platform::injectFault(FileOperation::Copy, 61, QString(), 1);
         },
         error(61, source), true, "old"},
    };
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(1500000000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree t;
        const ScopedDataHome dataHome(t.path("data"));
        std::optional<TestMount> stick;
        if (QString(c.into) == "stick" && !stick.emplace(t, TestMount::Kind::Tmpfs, "stick").mounted())
            continue;  // no mount possible here
        t.makeFolder("dst");
        t.makeFolder("TEMP");
        const QString source = t.writeFile("src/a.txt", Content);
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QFile::setPermissions(source, Open);
        if (!c.existing.isEmpty())
            t.writeFile(QStringLiteral("dst/") + c.newName, c.existing);
        if (c.prepare)
            c.prepare(t);
        std::optional<ImmutableFile> immutable;
        if (c.immutableDestination && !immutable.emplace(t.path("dst/a.txt")).made())
            continue;  // no immutable files here
        const QFileDevice::Permissions mode = QFile::permissions(source);
        ScriptedMessages messages;

        EXPECT_EQ(copyAlone({source, c.newName, t.path(c.into), t.path("TEMP"), c.move, c.overwrite}), c.message.isEmpty() ? 0 : 9);
        platform::clearInjectedFaults();
        EXPECT_EQ(messages.texts().join('\n'), QString(c.message).replace("<root>", t.root()));
        EXPECT_EQ(t.exists("src/a.txt") ? t.readFile("src/a.txt") : "gone", c.sourceKept ? Content : "gone");
        const QString destination = QString(c.into) + '/' + c.newName;
        EXPECT_EQ(t.readFile(destination), c.destinationAfter);
        if (c.destinationAfter == Content) {
            EXPECT_EQ(QFile::permissions(t.path(destination)), mode);
            EXPECT_EQ(QFileInfo(t.path(destination)).lastModified(), modified);
        }
        EXPECT_EQ(t.names("TEMP"), QStringList());
        EXPECT_TRUE(t.names(c.into).filter(".velda-").isEmpty());
        // No row replaces a file: one that was to be replaced stays out of the trash.
        EXPECT_EQ(t.names("data/Trash/files"), QStringList());
        QFile::setPermissions(t.path("src"), Open);
    }
}

// A file made at the new name while the preview is shown is met as if found
// before copying; without overwriting, another spelling of the new name stays.
TEST(CopyOneFile, AFileThePlanDidNotForeseeIsStillMet)
{
    const QString clash = QStringLiteral("コピー先に同一ファイルがあります。<root>/d/b.txt のコピーはできませんでした。");
    const struct {
        const char* newName;
        bool overwrite;
        QString message;
        Files after;  // of d
    } cases[] = {
        {"b.txt", false, clash, {{"a.txt", Content}, {"b.txt", "unforeseen"}}},
        {"b.txt", true, "", {{"a.txt", Content}, {"b.txt", Content}}},
        {"A.TXT", false, "", {{"A.TXT", Content}, {"a.txt", Content}, {"b.txt", "unforeseen"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.newName) + (c.overwrite ? ", overwrite" : ""));
        TempTree t;
        t.writeFile("d/a.txt", Content);
        FolderRun run(t, {{"a.txt", c.newName}}, {}, false, c.overwrite);
        run.whilePreviewed = [&t] { t.writeFile("d/b.txt", "unforeseen"); };
        EXPECT_EQ(run.runConfirmed().join('\n'), QString(c.message).replace("<root>", t.root()));
        EXPECT_EQ(described(contents(t, "d")), described(c.after));
        EXPECT_EQ(t.names("TEMP"), QStringList());
    }
}
