#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class RunProgressView;

namespace FileOps {

class RunJournal;

// The two file lists of the main window, by their index.
namespace FileList {
constexpr int Source = 0;
constexpr int Destination = 1;
}  // namespace FileList

// One deletion of selected files, handed to each file's step: where its
// files go, and the count of those put in the trash.
struct DeletionRun {
    RunJournal& journal;
    bool toTrash = true;  // else deleted for good
    int item = -1;        // the file deleted now, as the journal's plan numbers it
    int trashed = 0;
};

// What deleting selected files needs of the main window.
class DeleteWindow {
public:
    virtual ~DeleteWindow() = default;

    // The selected entries of a list, in list order.
    virtual QStringList selectedFiles(int list) = 0;
    // The folder a list shows.
    virtual QString listFolder(int list) = 0;
    // Deletes fileName from the folder of a list as a step of run, fileName
    // becoming the current file: 0 go on, above 0 stop (the message has been shown).
    virtual qint16 deleteListedFile(DeletionRun& run, int list, const QString& fileName) = 0;
    virtual void refreshList(int list) = 0;
    virtual void setStatusLine(const QString& text) = 0;
    // Paints the status line at once while the deletion keeps the user interface busy.
    virtual void showProgress() = 0;
    // The progress window of a deletion, or nullptr.
    virtual RunProgressView* progressView() = 0;
    // Where a deletion into the trash keeps its journal.
    virtual QString journalFolder() = 0;

    // The status line after the deletion (see deleteSelectedFiles).
    virtual QString deleteSelectedFiles(bool forGood) = 0;
    virtual void resetRules() = 0;
    virtual void focusPrefixField() = 0;
};

// The Delete button, Shift held (forGood) or not: the question, the
// deletion, the rules back to their defaults.
void pressDelete(DeleteWindow& window, bool forGood);

// The selected files of the source list, then of the destination list, each
// list after a question of its own, into the trash as one journaled run
// unless forGood. Where a list's folder can reach no trash, the user is
// asked once, before anything is deleted, whether to delete for good.
// Cancel in the progress window ends the whole deletion after the file
// being deleted. Gives back the status line to show after it: the cancelled
// count, else how many went to the trash, else an empty text.
QString deleteSelectedFiles(DeleteWindow& window, bool forGood);

// Deletes the file fileName of folder, the name exactly as listed, into the
// trash or for good as run says. A file that is no longer there is passed
// over; one that cannot be deleted is reported and gives back 9.
qint16 deleteListedFile(DeletionRun& run, const QString& folder, const QString& fileName);

}  // namespace FileOps
