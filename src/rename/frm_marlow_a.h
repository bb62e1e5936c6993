#pragma once

#include "platform/control_array.h"
#include "platform/vb_form.h"
#include "rename/rule_field_input.h"

#include <QString>

class QGroupBox;

// The file-name operation window: the parameters of the chosen file-name rule,
// one frame per rule 1 to 6, of which the main window shows one.
class frmMarlowA : public platform::VbForm {
public:
    frmMarlowA();
    void Form_Load();

    platform::ControlArray Frame5;   // i: the frame of file-name rule i + 1
    platform::ControlArray Option2;  // 2k from the front, 2k + 1 from the back: rule k + 2
    platform::ControlArray Label1;
    platform::ControlArray Text1;    // 0; 10, 11; 20..22; 30..33; 40, 41; 50..52

    // The last accepted texts (LastStart, LastCount, LastSerialStart, LastSerialDigits).
    RememberedTexts Remembered;

    QString text1(int index) const;
    void setText1(int index, const QString& text);
    bool isOptionSelected(int index) const;

    void Text1_GotFocus(int Index);
    void Text1_LostFocus(int Index);
    void Text1_KeyDown(int Index, int KeyCode, int Shift);
    void Text1_KeyPress(int Index, int KeyAscii);

protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void firstShown() override;
    void placeWindow();
    struct DirectionTexts;
    QGroupBox* addFrame(int index, const QString& caption);
    void addDirectionOptions(QGroupBox* frame, int frontIndex, const DirectionTexts& texts);
    void addLabelledField(QGroupBox* frame, int labelIndex, const QString& caption, int fieldIndex, int left,
                          int top, int width, const QString& toolTip);
    void buildFrames();
    void wireHandlers();
    void refuseInput(int Index, const QString& message);
    void moveFocus(int target);
};
