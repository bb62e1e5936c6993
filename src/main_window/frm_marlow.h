#pragma once

#include "platform/control_array.h"
#include "platform/file_list_box.h"
#include "platform/path_field.h"
#include "platform/vb_form.h"
#include "rename/rule_set.h"
#include "rename/rule_window_support.h"

#include <QString>

namespace FileOps {
struct DeletionRun;
struct PlacementRun;
}

class QAction;
class QGroupBox;
class QLabel;
class QListView;
class QMenuBar;

namespace platform {
class NameListModel;
}

// The main window: source and destination folders with their file lists, the
// rename rules, the move and overwrite options, Copy and Delete. It owns the
// program's shared state and opens every other window.
class frmMarlow : public platform::VbForm, public RuleWindowHost {
public:
    frmMarlow();

    void Form_Load();

    // The folder both lists start on instead of the process's current folder
    // (one named on the command line); set before the window is loaded.
    static inline QString StartFolder;

    // Window state, read and written by the other windows and runs.
    QString SourceFolder;
    QString DestFolder;
    QString CurrentFileName;
    QString TargetFileName;  // the new name CopyOneFile gave CurrentFileName
    QString ProgramFolder;
    QString TempFolder;
    QString MeltFolder;
    QString ManualPath;
    RuleSet Rules;  // also holds SerialStart and SerialNumber

    // Controls, by the array and index the rest of the program uses.
    platform::ControlArray Text1;     // 0 file type, 1 source, 2 destination, 3 prefix, 4 suffix
    platform::ControlArray File1;     // 0 source list, 1 destination list (FileListBox)
    platform::ControlArray Option1;   // name rules 0..6
    platform::ControlArray Option2;   // extension rules 0..2
    platform::ControlArray Check1;    // 0 move, 1 overwrite
    platform::ControlArray Command1;  // 0 Copy, 1 Delete
    platform::ControlArray Label1;
    QLabel* Label2 = nullptr;         // status line
    QListView* List1 = nullptr;       // preview, over File1(1)
    platform::NameListModel* previewNames = nullptr;  // what List1 shows
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QAction* mnEnd1 = nullptr;
    QAction* mnDel1 = nullptr;
    QAction* mnUndo1 = nullptr;
    QAction* mnHelp1 = nullptr;
    QAction* mnAbout = nullptr;

    QString text1(int index) const;
    void setText1(int index, const QString& text);
    platform::FileListBox* fileList(int index) const;
    // Text1(1) and Text1(2): they show a folder readably and hold it exactly.
    platform::PathField* pathField(int index) const;
    bool isChecked(int checkIndex) const;
    bool isOptionSelected(platform::ControlArray& options, int index) const;
    void selectOption(platform::ControlArray& options, int index);

    // Fields and lists: focus colours, hints, keys, folder check.
    void Text1_GotFocus(int Index);
    void Text1_LostFocus(int Index);
    void Text1_KeyDown(int Index, int KeyCode, int Shift);
    void Text1_KeyPress(int Index, int KeyAscii);
    void Text1_DblClick(int Index);
    void File1_GotFocus(int Index);
    qint16 CheckFolder(int code);
    // A changed folder field is checked and applied as on leaving it; a
    // refused one takes the focus back.
    void applyFolderField(int Index);

    // Dragged from a file manager: a folder onto a folder field is taken as
    // typed there; files onto the source list that lie in its folder are
    // selected there instead of what was.
    void folderDropped(int Index, const QString& folder);
    void filesDropped(const QStringList& names);

    // Rule choice and validation.
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    void ResetRules();
    void LoadRuleSet();
    void ValidateRules(qint16& FocusField, qint16& Status);
    // What the rule windows ask of it.
    const QWidget& hostWindow() const override { return *this; }
    void showHint(const QString& hint) override;
    void focusCopyButton() override;
    void nameWindowClosed() override;
    void extensionWindowClosed() override;
    // After a refusal by ValidateRules: focus the field it names.
    void focusRefusedField(qint16 FocusField);
    // The name of the copy of sourceName under the rules in force, with the
    // directions read from the rule windows as they stand now.
    QString buildTargetName(const QString& sourceName);

    // Copy and delete.
    void Command1_GotFocus(int Index);
    void Command1_Click(int Index);
    void RunBatchCopy();
    // One file as a step of a copy run.
    [[nodiscard]] qint16 CopyOneFile(FileOps::PlacementRun& run);
    [[nodiscard]] qint16 CopyOneExtractedFile(FileOps::PlacementRun& run);
    // The Delete key in a list presses Delete. Shift with Delete (the
    // button, Enter on it, or the key) deletes for good instead of into the trash.
    void File1_KeyDown(int Index, int KeyCode, int Shift);
    void DeleteSelectedFiles(bool forGood = false);
    // 9 when the file could not be deleted.
    [[nodiscard]] qint16 DeleteListedFile(FileOps::DeletionRun& run, int code);

    // Archives.
    void File1_DblClick(int Index);
    void ExtractArchiveItem(int listIndex);
    // Opens a file of the source list by its exact name, as a double-click on it would.
    void openListedArchive(const QString& name);
    // The file list of the archive contents window while that window is
    // shown, else nullptr: its selected files join a copy run.
    platform::FileListBox* extractedFileList() const;

    // Menus.
    void mnEnd1_Click();
    void mnDel1_Click();
    // 元に戻す, and its item naming what it would undo, greyed when nothing.
    void mnUndo1_Click();
    void refreshUndoMenu();
    void mnHelp1_Click();
    void mnAbout_Click();

protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void buildControls();
    void buildMenus();
    void buildUndoMenu(QMenuBar* bar);
    void setTabOrder();
    void wireHandlers();
    void acceptDrops();
    void placeWindow();
    void prepareWorkFolders();
    void removeWorkFolders();
    void pressDelete(bool forGood);
};
