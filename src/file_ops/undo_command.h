#pragma once

#include <QString>

class RunProgressView;

namespace FileOps {

// What 元に戻す needs of the main window.
class UndoWindow {
public:
    virtual ~UndoWindow() = default;

    // Where runs keep their journals.
    virtual QString journalFolder() = 0;
    // The progress window of the undo, or nullptr.
    virtual RunProgressView* progressView() = 0;
    virtual void refreshLists() = 0;
    virtual void setStatusLine(const QString& text) = 0;
};

// 元に戻す: the question with the counts, then the newest run not undone yet
// is reversed; what could not be undone is named in one message at the end.
void pressUndo(UndoWindow& window);

// The status line after an undo.
QString undoneStatus(int count);

}  // namespace FileOps
