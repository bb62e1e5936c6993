#include "main_window/frm_marlow.h"

void frmMarlow::File1_DblClick(int /*Index*/) {}

void frmMarlow::ExtractArchiveItem(int /*listIndex*/) {}

platform::FileListBox* frmMarlow::extractedFileList() const
{
    return nullptr;
}
