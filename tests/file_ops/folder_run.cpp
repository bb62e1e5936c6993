#include "file_ops/folder_run.h"

#include "file_ops/run_journal.h"
#include "platform/file_system.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QCryptographicHash>
#include <QDir>

FolderRun::FolderRun(TempTree& tree, const Renames& sources, const Renames& extracted, bool move, bool overwrite,
                     const QString& sourceFolder, const QString& destinationFolder)
    : tree_(tree), move_(move), overwrite_(overwrite), sourceFolder_(sourceFolder), destinationFolder_(destinationFolder)
{
    tree.makeFolder("TEMP");
    for (const auto& rename : sources)
        sourceNames_.append(rename.first);
    for (const auto& rename : extracted)
        extractedNames_.append(rename.first);
    for (const auto& rename : sources + extracted)
        newNames_.insert(rename.first, rename.second);
}

QStringList FolderRun::runConfirmed(const QVector<platform::MessageAnswer>& answers)
{
    ScriptedMessages messages;
    messages.answerYes();
    for (const platform::MessageAnswer answer : answers)
        messages.answer(answer);
    FileOps::runBatchCopy(*this);
    return messages.texts().mid(1);
}

QStringList FolderRun::destinationFiles() { return QDir(destinationFolder()).entryList(QDir::Files, QDir::Name); }

void FolderRun::showPreview(const QStringList& entries, const QVector<int>&)
{
    previewed = entries;
    if (whilePreviewed)
        whilePreviewed();
}

qint16 FolderRun::copySourceFile(FileOps::PlacementRun& run, const QString& fileName)
{
    const qint16 stop = copy(run, sourceFolder_, fileName, move_);
    if (afterCopy)
        afterCopy(fileName);
    return stop;
}

qint16 FolderRun::copy(FileOps::PlacementRun& run, const QString& folder, const QString& fileName, bool move)
{
    return FileOps::copyOneFile(run, {platform::joinPath(tree_.path(folder), fileName), targetName(fileName),
                                      destinationFolder(), tree_.path("TEMP"), move, overwrite_});
}

qint16 copyAlone(const FileOps::CopyJob& job)
{
    FileOps::RunJournal none;
    FileOps::PlacementRun run{none};
    return FileOps::copyOneFile(run, job);
}

Files contents(const TempTree& tree, const QString& folder)
{
    Files files;
    for (const QString& name : tree.names(folder))
        if (!name.startsWith(".Trash"))  // the trash of a volume mounted there
            files.insert(name, tree.readFile(folder + '/' + name));
    return files;
}

QStringList described(const Files& files)
{
    QStringList lines;
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        lines.append(file.key() + QStringLiteral(" %1 ").arg(file.value().size())
                     + QCryptographicHash::hash(file.value(), QCryptographicHash::Sha1).toHex().left(12));
    return lines;
}
