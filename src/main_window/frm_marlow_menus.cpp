#include "main_window/frm_marlow.h"

#include "platform/shell.h"
#include "shared/frm_about.h"

#include <QUrl>

void frmMarlow::mnDel1_Click() {}

void frmMarlow::mnHelp1_Click()
{
    platform::openWithDesktop(QUrl::fromLocalFile(ManualPath));
}

void frmMarlow::mnAbout_Click()
{
    frmAbout& about = platform::FormInstance<frmAbout>::get();
    about.show();
    about.raise();
    about.activateWindow();
}
