#pragma once

#include "platform/control_array.h"
#include "platform/vb_form.h"

#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace platform {
class DirListBox;
class DriveListBox;
class FileListBox;
class PathField;
}  // namespace platform

// The folder deletion window: the user chooses one folder, by drive and
// folder list, by typing or with the folder picker, and deletes it with
// everything in it. It stands in for the main window, which comes back afresh
// when this window closes.
class frmDelDir : public platform::VbForm {
public:
    frmDelDir();
    void Form_Load();
    // From the window that opens this one and is gone while it is open: the
    // folders never to delete, and how to bring that window back.
    void setOpener(const QStringList& protectedFolders, std::function<void()> showOpener);

    // The accepted folder: the one Delete deletes.
    QString FolderToDelete;

    platform::DriveListBox* Drive1 = nullptr;
    platform::DirListBox* Dir1 = nullptr;
    platform::ControlArray Label1;  // 0 above the file list, 6 above the path field
    platform::ControlArray Text1;   // 5 the path field
    platform::ControlArray File1;   // 2 the files of the folder
    QPushButton* Command2 = nullptr;
    QLabel* Label2 = nullptr;       // hint line

    QString text1(int index) const;
    void setText1(int index, const QString& text);
    platform::FileListBox* fileList(int index) const;
    // Text1(5): shows the folder readably and holds it exactly.
    platform::PathField* pathField() const;

    void Drive1_Change();
    void Dir1_Change();
    void Text1_GotFocus(int Index);
    void Text1_LostFocus(int Index);
    void Text1_KeyPress(int Index, int KeyAscii);
    void Text1_DblClick(int Index);
    void File1_GotFocus(int Index);
    void Command2_Click();
    qint16 CheckDeleteFolder();

protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void buildControls();
    void wireHandlers();
    void placeWindow();
    // Drive list and folder list to the accepted folder; it stays accepted.
    void showFolderToDelete();
    void showMainWindow();

    QStringList protectedFolders_;
    std::function<void()> showOpener_;
};
