#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

class RunProgressView;

namespace FileOps {

struct PlacementRun;

// What a copy run needs of the window it runs in. Lists of names are the
// selected entries in list order.
class BatchCopyWindow {
public:
    virtual ~BatchCopyWindow() = default;

    virtual QStringList selectedSourceFiles() = 0;
    virtual void selectAllSourceFiles() = 0;
    virtual void focusSourceList() = 0;
    // Empty while the archive contents window is not shown.
    virtual QStringList selectedExtractedFiles() = 0;

    // The folders the selected files are in and go to.
    virtual QString sourceFolder() = 0;
    virtual QString extractedFolder() = 0;
    virtual QString destinationFolder() = 0;
    // The files of the destination folder, in the destination list's order.
    virtual QStringList destinationFiles() = 0;
    // The folders a new name must fit: the destination and the staging folder.
    virtual QStringList targetFolders() = 0;
    virtual bool overwriteOn() = 0;
    virtual bool moveOn() = 0;
    // Where the run keeps its journal.
    virtual QString journalFolder() = 0;
    // Numbering rules start again from their first number.
    virtual void restartSerialNumbers() = 0;
    // The name of the copy of fileName, fileName becoming the current file.
    virtual QString targetName(const QString& fileName) = 0;

    // The preview in place of the destination list, and back.
    virtual void showPreview(const QStringList& entries, const QVector<int>& markedRows) = 0;
    virtual void closePreview() = 0;

    // Copy one file as a step of run, fileName becoming the current file: 0
    // go on, above 0 stop.
    virtual qint16 copySourceFile(PlacementRun& run, const QString& fileName) = 0;
    virtual qint16 copyExtractedFile(PlacementRun& run, const QString& fileName) = 0;
    // The progress window of the copy pass, or nullptr.
    virtual RunProgressView* progressView() = 0;

    virtual void setStatusLine(const QString& text) = 0;
    // Paints the status line and the files placed so far at once, while the
    // run keeps the user interface busy.
    virtual void showProgress() = 0;
    virtual void refreshSourceList() = 0;
    virtual void refreshDestinationList() = 0;
};

// The batch copy: selection, the preview with its clash and name checks, the
// confirmation, and the copy of every selected file, the archive contents
// window's after the source list's, journaled as one run. Gives back the
// status line of a copy the user cancelled, else an empty text.
QString runBatchCopy(BatchCopyWindow& window);

// What the Copy button needs of its window.
class CopyButtonWindow {
public:
    virtual ~CopyButtonWindow() = default;
    virtual void validateRules(qint16& focusField, qint16& status) = 0;
    // The status line of a cancelled copy, else empty.
    virtual QString runBatchCopy() = 0;
    // 3 is the prefix field of the main window; any other value the field
    // of that index in the file-name operation window.
    virtual void focusRuleField(qint16 field) = 0;
    virtual void setStatusLine(const QString& text) = 0;
};

void pressCopy(CopyButtonWindow& window);

// The status-line hint of a button of the main window; empty for others.
QString commandHint(int index);

}  // namespace FileOps
