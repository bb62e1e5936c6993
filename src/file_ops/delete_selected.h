#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class RunProgressView;

namespace FileOps {

// The two file lists of the main window, by their index.
namespace FileList {
constexpr int Source = 0;
constexpr int Destination = 1;
}  // namespace FileList

// What deleting selected files needs of the main window.
class DeleteWindow {
public:
    virtual ~DeleteWindow() = default;

    // The selected entries of a list, in list order.
    virtual QStringList selectedFiles(int list) = 0;
    // Deletes fileName from the folder of a list, fileName becoming the
    // current file: 0 go on, above 0 stop (the message has been shown).
    virtual qint16 deleteListedFile(int list, const QString& fileName) = 0;
    virtual void refreshList(int list) = 0;
    virtual void setStatusLine(const QString& text) = 0;
    // Paints the status line at once while the deletion keeps the user interface busy.
    virtual void showProgress() = 0;
    // The progress window of a deletion, or nullptr.
    virtual RunProgressView* progressView() = 0;

    // The status line of a deletion the user cancelled, else empty.
    virtual QString deleteSelectedFiles() = 0;
    virtual void resetRules() = 0;
    virtual void focusPrefixField() = 0;
};

// The Delete button: the question, the deletion, the rules back to their defaults.
void pressDelete(DeleteWindow& window);

// The selected files of the source list, then of the destination list, each
// list after a question of its own. Cancel in the progress window ends the
// whole deletion after the file being deleted; the status line of that
// comes back, else an empty text.
QString deleteSelectedFiles(DeleteWindow& window);

// Deletes the file fileName of folder, the name exactly as listed. A file that
// is no longer there is passed over; one that cannot be deleted is reported
// and gives back 9.
qint16 deleteListedFile(const QString& folder, const QString& fileName);

}  // namespace FileOps
