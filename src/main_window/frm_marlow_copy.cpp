#include "main_window/frm_marlow.h"

void frmMarlow::Command1_GotFocus(int /*Index*/) {}

void frmMarlow::Command1_Click(int /*Index*/) {}

void frmMarlow::RunBatchCopy() {}

qint16 frmMarlow::CopyOneFile()
{
    return 0;
}

qint16 frmMarlow::CopyOneExtractedFile()
{
    return 0;
}

void frmMarlow::DeleteSelectedFiles() {}

void frmMarlow::DeleteListedFile(int /*code*/) {}
