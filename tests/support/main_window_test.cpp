#include "support/main_window_test.h"

#include "archive/frm_melt.h"
#include "folder_delete/frm_del_dir.h"
#include "platform/process.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "support/ui_helpers.h"

#include <QDir>

void MainWindowTest::SetUp()
{
    unloadAllWindows();
    previousFolder_ = QDir::currentPath();
    programFolder = tree.makeFolder("program");
    workFolder = tree.makeFolder("work");
    platform::setProgramFolderOverride(programFolder);
    QDir::setCurrent(workFolder);
    platform::setProgramEnder([this] { ++endCount; });
}

void MainWindowTest::TearDown()
{
    unloadAllWindows();
    platform::setProgramEnder(nullptr);
    platform::setProgramFolderOverride(QString());
    QDir::setCurrent(previousFolder_);
}

frmMarlow& MainWindowTest::showMainWindow()
{
    frmMarlow& form = mainWindow();
    ui::showActive(&form);
    return form;
}

void MainWindowTest::unloadAllWindows()
{
    platform::FormInstance<FrmMELT>::unload();
    platform::FormInstance<frmAbout>::unload();
    platform::FormInstance<frmDelDir>::unload();
    platform::FormInstance<frmMarlowA>::unload();
    platform::FormInstance<frmMarlowB>::unload();
    platform::FormInstance<frmMarlow>::unload();
    ui::settle();
}
