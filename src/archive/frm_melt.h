#pragma once

#include "platform/control_array.h"
#include "platform/vb_form.h"

class QLineEdit;

namespace platform {
class DirListBox;
class DriveListBox;
class FileListBox;
}  // namespace platform

// The archive contents window: the work folder MELT in a folder list, the
// files of the chosen folder in a file list filtered by a file-type pattern.
// Files selected here join the main window's next copy run.
class FrmMELT : public platform::VbForm {
public:
    FrmMELT();
    void Form_Load();

    platform::ControlArray Label1;  // 0 archive name, 1 heading of the folder list, 8 caption of the pattern
    QLineEdit* Text1 = nullptr;     // file-type pattern of File1(2)
    platform::DriveListBox* Drive1 = nullptr;
    platform::DirListBox* Dir1 = nullptr;
    platform::ControlArray File1;   // 2: the files of Dir1's folder

    platform::FileListBox* fileList() const;
    void setArchiveName(const QString& name);

    void Dir1_Change();
    void Text1_GotFocus();
    void Text1_KeyPress(int KeyAscii);
    void Text1_LostFocus();

private:
    void buildControls();

    platform::ControlArray text1Events_;
};
