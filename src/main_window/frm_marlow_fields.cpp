#include "main_window/frm_marlow.h"

void frmMarlow::Text1_GotFocus(int /*Index*/) {}

void frmMarlow::Text1_LostFocus(int /*Index*/) {}

void frmMarlow::Text1_KeyDown(int /*Index*/, int /*KeyCode*/, int /*Shift*/) {}

void frmMarlow::Text1_KeyPress(int /*Index*/, int /*KeyAscii*/) {}

void frmMarlow::Text1_DblClick(int /*Index*/) {}

void frmMarlow::File1_GotFocus(int /*Index*/) {}

qint16 frmMarlow::CheckFolder(int /*code*/)
{
    return 0;
}
