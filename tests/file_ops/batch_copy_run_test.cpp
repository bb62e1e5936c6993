#include "file_ops/batch_copy_run.h"
#include "file_ops/copy_one_file.h"
#include "file_ops/placement_plan.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/name_rules.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QCryptographicHash>
#include <QDir>
#include <QMap>

#include <gtest/gtest.h>

namespace {

using Renames = QVector<QPair<QString, QString>>;  // old name -> new name, in list order

// A run over real folders: the source list and the destination are the folder
// "d" (the source list perhaps by way of a link to it), the extracted-files
// list the folder "melt"; names come from a table.
class FolderRun : public FileOps::BatchCopyWindow {
public:
    FolderRun(TempTree& tree, const Renames& sources, const Renames& extracted, bool move, bool overwrite,
              const QString& sourceFolder = "d")
        : tree_(tree), sources_(sources), extracted_(extracted), move_(move), overwrite_(overwrite),
          sourceFolder_(sourceFolder)
    {
    }

    QStringList selectedSourceFiles() override { return oldNames(sources_); }
    void selectAllSourceFiles() override {}
    void focusSourceList() override {}
    QStringList selectedExtractedFiles() override { return oldNames(extracted_); }
    QString sourceFolder() override { return tree_.path(sourceFolder_); }
    QString extractedFolder() override { return tree_.path("melt"); }
    QString destinationFolder() override { return tree_.path("d"); }
    QStringList destinationFiles() override { return QDir(tree_.path("d")).entryList(QDir::Files, QDir::Name); }
    QStringList targetFolders() override { return {tree_.path("d"), tree_.path("TEMP")}; }
    bool overwriteOn() override { return overwrite_; }
    void restartSerialNumbers() override {}
    QString targetName(const QString& fileName) override
    {
        for (const Renames* renames : {&sources_, &extracted_})
            for (const auto& rename : *renames)
                if (rename.first == fileName)
                    return rename.second;
        return fileName;
    }
    void showPreview(const QStringList&, const QVector<int>&) override {}
    void closePreview() override {}
    qint16 copySourceFile(const QString& fileName) override { return copy(sourceFolder_, fileName, move_); }
    qint16 copyExtractedFile(const QString& fileName) override { return copy("melt", fileName, false); }
    RunProgressView* progressView() override { return nullptr; }
    void setStatusLine(const QString&) override {}
    void showProgress() override {}
    void refreshSourceList() override {}
    void refreshDestinationList() override {}

private:
    static QStringList oldNames(const Renames& renames)
    {
        QStringList names;
        for (const auto& rename : renames)
            names.append(rename.first);
        return names;
    }
    qint16 copy(const QString& folder, const QString& fileName, bool move)
    {
        return FileOps::copyOneFile({platform::joinPath(tree_.path(folder), fileName), targetName(fileName),
                                     tree_.path("d"), tree_.path("TEMP"), move, overwrite_});
    }

    TempTree& tree_;
    Renames sources_, extracted_;
    bool move_, overwrite_;
    QString sourceFolder_;
};

QMap<QString, QByteArray> contents(const TempTree& tree, const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : tree.names(folder))
        files.insert(name, tree.readFile(folder + '/' + name));
    return files;
}

// Names with the size and a digest of every byte, readable in a failure.
QStringList described(const QMap<QString, QByteArray>& files)
{
    QStringList lines;
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        lines.append(file.key() + QStringLiteral(" %1 ").arg(file.value().size())
                     + QCryptographicHash::hash(file.value(), QCryptographicHash::Sha1).toHex().left(12));
    return lines;
}

// What the preview promised: every new name with its source's data, names
// the folder does not tell apart counted as the same, moved sources gone.
QMap<QString, QByteArray> promised(QMap<QString, QByteArray> before, const QMap<QString, QByteArray>& melt,
                                   const Renames& sources, const Renames& extracted, bool move,
                                   platform::LetterCase letterCase)
{
    const QMap<QString, QByteArray> original = before;
    if (move) {
        for (const auto& rename : sources)
            before.remove(rename.first);
    }
    auto place = [&before, letterCase](const QString& newName, const QByteArray& data) {
        for (const QString& name : before.keys())
            if (platform::nameKey(name, letterCase) == platform::nameKey(newName, letterCase))
                before.remove(name);
        before.insert(newName, data);
    };
    for (const auto& rename : sources)
        place(rename.second, original.value(rename.first));
    for (const auto& rename : extracted)
        place(rename.second, melt.value(rename.first));
    return before;
}

}  // namespace

// Renaming in place ends exactly as the preview showed, whatever order the
// new names meet the run's own sources in.
TEST(BatchCopyRun, RenamesInPlaceEndAsPreviewed)
{
    struct Case {
        const char* what;
        Renames sources, extracted;
        QStringList others;  // files of d the run does not select
    };
    const Case cases[] = {
        {"chain", {{"p1", "p2"}, {"p2", "p3"}, {"p3", "p4"}, {"p4", "p5"}}, {}, {}},
        {"chain backwards", {{"p2", "p1"}, {"p3", "p2"}, {"p4", "p3"}}, {}, {"p1"}},
        {"cycle", {{"a", "b"}, {"b", "c"}, {"c", "a"}}, {}, {"x"}},
        {"swap", {{"a", "b"}, {"b", "a"}}, {}, {}},
        {"case only", {{"a.txt", "A.TXT"}, {"b.txt", "B.txt"}}, {}, {"c.txt"}},
        {"case-only chain", {{"a", "B"}, {"b", "A"}}, {}, {}},
        {"one new name in two spellings", {{"a", "x.txt"}, {"b", "X.TXT"}}, {}, {"c"}},
        {"two spellings over a file", {{"a", "X.TXT"}, {"b", "x.TXT"}}, {}, {"x.txt"}},
        {"swap with the extracted list", {{"a", "e"}}, {{"e", "a"}}, {}},
        {"extracted onto a later source", {{"x", "y"}}, {{"e", "x"}}, {"y"}},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 4; ++way) {
            const bool move = way % 2 == 1;
            // The source folder named by a link to it, as a folder list reached through one shows it.
            const QString sourceFolder = way < 2 ? "d" : "link";
            SCOPED_TRACE(::testing::Message() << c.what << (move ? ", move" : ", copy")
                                              << (way < 2 ? "" : ", source by way of a link"));
            TempTree tree;
            tree.makeFolder("TEMP");
            tree.makeFolder("d");
            ASSERT_TRUE(QFile::link(tree.path("d"), tree.path("link")));
            int size = 1000;
            for (const auto& rename : c.sources) {
                tree.writeFile("d/" + rename.first, QByteArray(size, char(size / 1000)) + rename.first.toUtf8());
                size += 1000;
            }
            for (const QString& name : c.others)
                tree.writeFile("d/" + name, "other " + name.toUtf8());
            for (const auto& rename : c.extracted)
                tree.writeFile("melt/" + rename.first, "extracted " + rename.first.toUtf8());
            const QMap<QString, QByteArray> melt = contents(tree, "melt");
            const auto expected = promised(contents(tree, "d"), melt, c.sources, c.extracted, move,
                                           platform::letterCaseOf(tree.path("d")));
            ScriptedMessages messages;
            messages.answerYes();

            FolderRun run(tree, c.sources, c.extracted, move, true, sourceFolder);
            FileOps::runBatchCopy(run);
            EXPECT_EQ(messages.count(), 1) << messages.texts().join('\n').toStdString();
            EXPECT_EQ(described(contents(tree, "d")), described(expected));
            EXPECT_EQ(described(contents(tree, "melt")), described(melt));
        }
    }
}

// A run that stops after setting a source aside gives it a visible name back,
// its own being taken, and says so.
TEST(BatchCopyRun, AStoppedRunGivesASetAsideSourceItsNameBack)
{
    TempTree tree;
    tree.makeFolder("TEMP");
    tree.writeFile("d/p1", "one");
    tree.writeFile("d/p2", "two");
    const Renames chain{{"p1", "p2"}, {"p2", "p3"}};
    ScriptedMessages messages;
    messages.answerYes();
    platform::injectFault(platform::FileOperation::Rename, 57, "p3");
    FolderRun run(tree, chain, {}, true, true);
    FileOps::runBatchCopy(run);
    platform::clearInjectedFaults();
    EXPECT_EQ(messages.texts().mid(1),
              (QStringList{platform::errorMessageText(platform::makeError(57)) + QChar(13) + tree.path("d/p3"),
                           FileOps::keptUnderMessage(tree.path("d/p2"), tree.path("d/p2 (2)"))}));
    EXPECT_EQ(described(contents(tree, "d")), described({{"p2", "one"}, {"p2 (2)", "two"}}));
}
