#include "main_window/frm_marlow.h"

#include "archive/frm_melt.h"
#include "folder_delete/frm_del_dir.h"
#include "main_window/work_folders.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"

#include <QUrl>

void frmMarlow::mnDel1_Click()
{
    // The other windows go first: with none left to take over, the main
    // window leaves without its fields reacting to losing the focus.
    platform::FormInstance<frmMarlowA>::unload();
    platform::FormInstance<FrmMELT>::unload();
    platform::FormInstance<frmMarlowB>::unload();
    platform::FormInstance<frmAbout>::unload();
    const QStringList ownFolders{ProgramFolder, TempFolder, MeltFolder};
    hide();
    // By code: the exit clean-up of the work folders does not run.
    platform::FormInstance<frmMarlow>::unload();
    frmDelDir& deletion = platform::FormInstance<frmDelDir>::get();
    deletion.setOpener(ownFolders, [] { platform::showInFront(&platform::FormInstance<frmMarlow>::get()); });
    platform::showInFront(&deletion);
}

void frmMarlow::mnHelp1_Click()
{
    const QString manual = ManualPath;
    platform::openWithDesktop(QUrl::fromLocalFile(manual),
                              [manual] { platform::showMessage(WorkFolders::manualNotOpenedMessage(manual)); });
}

void frmMarlow::mnAbout_Click()
{
    frmAbout& about = platform::FormInstance<frmAbout>::get();
    about.setManualPath(ManualPath);
    platform::showInFront(&about);
}
