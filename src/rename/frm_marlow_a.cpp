#include "rename/frm_marlow_a.h"

#include "platform/vb_look.h"

frmMarlowA::frmMarlowA()
{
    setWindowTitle(QStringLiteral("ファイル名操作窓"));
    platform::setClientSizeTwips(this, 2685, 2100);
}

void frmMarlowA::Form_Load() {}
