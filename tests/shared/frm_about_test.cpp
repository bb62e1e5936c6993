#include "platform/shell.h"
#include "shared/frm_about.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

// Without a viewer, or with one that fails to start, a message comes and the
// window stays open; otherwise the viewer found on the path is started. The
// address opens the manual on a click, and OK closes the window.
TEST(AboutWindow, StartsAViewerOrSaysThereIsNoneOpensTheManualAndOkCloses)
{
    ScriptedMessages messages;
    TempTree tree;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tree.makeFolder("bin")));
    QStringList started;
    bool starts = true;
    platform::setProgramStarter([&](const QString& program) { started << program; return starts; });
    QList<QUrl> opened;
    platform::setDesktopOpener([&opened](const QUrl& url) { opened << url; return true; });

    frmAbout& about = platform::FormInstance<frmAbout>::get();
    ui::showActive(&about);
    about.cmdSysInfo->click();
    EXPECT_EQ(messages.count(), 1);
    const QString viewer = tree.writeFile("bin/kinfocenter", "#!/bin/sh\n");
    QFile::setPermissions(viewer, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    about.cmdSysInfo->click();
    EXPECT_EQ(messages.count(), 1);
    starts = false;
    about.cmdSysInfo->click();
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(started, QStringList({viewer, viewer}));
    EXPECT_TRUE(platform::FormInstance<frmAbout>::isLoaded());

    about.setManualPath("/usr/share/velda16/manual.html");
    ui::sendMouse(about.Label1, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile("/usr/share/velda16/manual.html")});
    about.cmdOK->click();
    ui::settle();
    EXPECT_FALSE(platform::FormInstance<frmAbout>::isLoaded());

    platform::FormInstance<frmAbout>::unload();
    qputenv("PATH", savedPath);
    platform::setProgramStarter(nullptr);
    platform::setDesktopOpener(nullptr);
}
