#pragma once

#include "file_ops/batch_copy_run.h"
#include "rename/rule_set.h"

#include <QStringList>
#include <QVector>


// A copy run over real folders without a display: the source list is the
// folder's files sorted ignoring case; what the run shows is recorded.
class FolderCopyWindow : public FileOps::BatchCopyWindow {
public:
    FolderCopyWindow(const QString& source, const QString& destination, const QString& staging);

    void select(const QStringList& names);
    // Shows an archive contents list of folder with names selected.
    void showExtracted(const QString& folder, const QStringList& names);

    RuleSet rules;
    bool move = false;
    bool overwrite = false;

    // What the run left shown.
    bool previewShown = false;
    QStringList previewEntries;
    QVector<int> previewMarks;
    QString statusLine;
    bool sourceListFocused = false;
    QStringList destinationShown;

    QStringList selectedSourceFiles() override;
    void selectAllSourceFiles() override;
    void focusSourceList() override { sourceListFocused = true; }
    QStringList selectedExtractedFiles() override { return extractedSelected_; }
    QStringList destinationFiles() override;
    QStringList targetFolders() override { return {destination_, staging_}; }
    bool overwriteOn() override { return overwrite; }
    void restartSerialNumbers() override { rules.SerialNumber = rules.SerialStart; }
    QString targetName(const QString& fileName) override { return BuildTargetName(rules, fileName); }
    void showPreview(const QStringList& entries, const QVector<int>& markedRows) override;
    void closePreview() override;
    qint16 copySourceFile(const QString& fileName) override;
    qint16 copyExtractedFile(const QString& fileName) override;
    void setStatusLine(const QString& text) override { statusLine = text; }
    void showProgress() override {}
    void refreshSourceList() override { sourceFiles_ = filesOf(source_); }
    void refreshDestinationList() override { destinationShown = filesOf(destination_); }

private:
    static QStringList filesOf(const QString& folder);
    qint16 copy(const QString& folder, const QString& fileName, bool deleteSource);

    QString source_, destination_, staging_, extractedFolder_;
    QStringList sourceFiles_;
    QVector<bool> selected_;
    QStringList extractedSelected_;
};
