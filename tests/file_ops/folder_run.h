#pragma once

#include "file_ops/batch_copy_run.h"
#include "file_ops/copy_one_file.h"
#include "platform/message_box.h"
#include "support/temp_tree.h"

#include <QHash>
#include <QMap>
#include <QPair>

#include <functional>

using Renames = QVector<QPair<QString, QString>>;  // old name -> new name, in list order
using Files = QMap<QString, QByteArray>;           // name -> every byte

// A run over real folders of a tree: the selected files of sourceFolder and
// of the extracted-files folder "melt" go to destinationFolder under names
// from a table, staged in "TEMP"; the preview it was shown is kept.
class FolderRun : public FileOps::BatchCopyWindow {
public:
    FolderRun(TempTree& tree, const Renames& sources, const Renames& extracted, bool move, bool overwrite,
              const QString& sourceFolder = "d", const QString& destinationFolder = "d");

    // Runs with the preview confirmed, then the answers given; the messages
    // shown after the confirmation.
    QStringList runConfirmed(const QVector<platform::MessageAnswer>& answers = {});

    QStringList previewed;
    RunProgressView* view = nullptr;
    // Called after each source file's copy, with its name.
    std::function<void(const QString&)> afterCopy;
    std::function<void()> whilePreviewed;

    QStringList selectedSourceFiles() override { return sourceNames_; }
    void selectAllSourceFiles() override {}
    void focusSourceList() override {}
    QStringList selectedExtractedFiles() override { return extractedNames_; }
    QString sourceFolder() override { return tree_.path(sourceFolder_); }
    QString extractedFolder() override { return tree_.path("melt"); }
    QString destinationFolder() override { return tree_.path(destinationFolder_); }
    QStringList destinationFiles() override;
    QStringList targetFolders() override { return {destinationFolder(), tree_.path("TEMP")}; }
    bool overwriteOn() override { return overwrite_; }
    bool moveOn() override { return move_; }
    QString journalFolder() override { return tree_.path("journal"); }
    void restartSerialNumbers() override {}
    QString targetName(const QString& fileName) override { return newNames_.value(fileName, fileName); }
    void showPreview(const QStringList& entries, const QVector<int>&) override;
    void closePreview() override {}
    qint16 copySourceFile(FileOps::PlacementRun& run, const QString& fileName) override;
    qint16 copyExtractedFile(FileOps::PlacementRun& run, const QString& fileName) override
    {
        return copy(run, "melt", fileName, false);
    }
    RunProgressView* progressView() override { return view; }
    void setStatusLine(const QString&) override {}
    void showProgress() override {}
    void refreshSourceList() override {}
    void refreshDestinationList() override {}

private:
    qint16 copy(FileOps::PlacementRun& run, const QString& folder, const QString& fileName, bool move);

    TempTree& tree_;
    QStringList sourceNames_, extractedNames_;
    QHash<QString, QString> newNames_;
    bool move_, overwrite_;
    QString sourceFolder_, destinationFolder_;
};

// One file copied on its own, as a run of one file that keeps no journal.
qint16 copyAlone(const FileOps::CopyJob& job);

// Every file of a folder of the tree with its data; a volume trash there left out.
Files contents(const TempTree& tree, const QString& folder);

// Names with the size and a digest of every byte, readable in a failure.
QStringList described(const Files& files);
