#pragma once

#include <QString>

// How the fields of the file-name operation window (by Text1 index) take
// their input: the hint, the arrow-key moves, and the checks on Enter and on
// leaving a field, which remember the last accepted text of each kind.

// The last accepted (trimmed) text of each kind of field, shared by all frames.
struct RememberedTexts {
    QString LastStart;         // 10, 20, 30, 40, 50
    QString LastCount;         // 11, 21, 31
    QString LastSerialStart;   // 32, 51
    QString LastSerialDigits;  // 33, 52
};

// Where the focus goes next: a Text1 index of the window, or one of these.
namespace FocusMove {
constexpr int Stay = -1;        // nowhere (after a refusal: back on the field)
constexpr int CopyButton = -2;  // the main window's Command1(0)
}  // namespace FocusMove

struct FieldOutcome {
    QString refusal;  // shown when not empty; nothing is remembered then
    int nextFocus = FocusMove::Stay;
};

// The line written into the main window's status line while the field has the focus.
QString fieldHint(int index);

// The field an arrow key moves to (keyCode and shift as KeyDown gives them), or FocusMove::Stay.
int arrowKeyTarget(int index, int keyCode, int shift);

// Enter in the field with this text.
FieldOutcome enterInField(int index, const QString& text, RememberedTexts& remembered);

// The field with this text lost the focus.
FieldOutcome leaveField(int index, const QString& text, RememberedTexts& remembered);
