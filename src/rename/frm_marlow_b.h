#pragma once

#include "platform/control_array.h"
#include "platform/vb_form.h"

#include <QString>

// The extension operation window: the new extension of extension rules 1
// and 2 and, for rule 2, where the old extension goes.
class frmMarlowB : public platform::VbForm {
public:
    frmMarlowB();
    void Form_Load();

    platform::ControlArray Frame1;   // 0: extension rule 1, 1: extension rule 2
    platform::ControlArray Option3;  // 0: old extension in front of the name, 1: after it
    platform::ControlArray Label1;
    platform::ControlArray Text1;    // 1: new extension of rule 1, 2: of rule 2

    QString text1(int index) const;
    void setText1(int index, const QString& text);
    bool isOptionSelected(int index) const;

    void Text1_GotFocus(int Index);
    void Text1_LostFocus(int Index);
    void Text1_KeyPress(int Index, int KeyAscii);

protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void firstShown() override;
    void placeWindow();
    void buildFrames();
};
