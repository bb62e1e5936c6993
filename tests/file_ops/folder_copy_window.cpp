#include "file_ops/folder_copy_window.h"

#include "file_ops/copy_one_file.h"
#include "platform/file_system.h"

#include <QDir>

FolderCopyWindow::FolderCopyWindow(const QString& source, const QString& destination, const QString& staging)
    : source_(source), destination_(destination), staging_(staging), sourceFiles_(filesOf(source)),
      selected_(sourceFiles_.size(), false)
{
}

QStringList FolderCopyWindow::filesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

void FolderCopyWindow::select(const QStringList& names)
{
    for (int i = 0; i < sourceFiles_.size(); ++i)
        selected_[i] = names.contains(sourceFiles_.at(i));
}

void FolderCopyWindow::showExtracted(const QString& folder, const QStringList& names)
{
    extractedFolder_ = folder;
    extractedSelected_ = names;
}

QStringList FolderCopyWindow::selectedSourceFiles()
{
    QStringList names;
    for (int i = 0; i < sourceFiles_.size(); ++i) {
        if (selected_.at(i))
            names.append(sourceFiles_.at(i));
    }
    return names;
}

void FolderCopyWindow::selectAllSourceFiles()
{
    selected_.fill(true);
}

QStringList FolderCopyWindow::destinationFiles()
{
    return filesOf(destination_);
}

void FolderCopyWindow::showPreview(const QStringList& entries, const QVector<int>& markedRows)
{
    previewShown = true;
    previewEntries = entries;
    previewMarks = markedRows;
}

void FolderCopyWindow::closePreview()
{
    previewShown = false;
    previewEntries.clear();
    previewMarks.clear();
}

qint16 FolderCopyWindow::copySourceFile(const QString& fileName)
{
    return copy(source_, fileName, move);
}

qint16 FolderCopyWindow::copyExtractedFile(const QString& fileName)
{
    return copy(extractedFolder_, fileName, false);
}

qint16 FolderCopyWindow::copy(const QString& folder, const QString& fileName, bool deleteSource)
{
    return FileOps::copyOneFile({platform::joinPath(folder, fileName), BuildTargetName(rules, fileName),
                                 destination_, staging_, deleteSource, overwrite});
}
