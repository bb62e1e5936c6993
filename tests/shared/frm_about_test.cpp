#include "platform/shell.h"
#include "platform/vb_form.h"
#include "shared/frm_about.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPath_ = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(tree_.makeFolder("bin")));
        platform::setProgramStarter([this](const QString& program) {
            started_ << program;
            return true;
        });
        platform::setDesktopOpener([this](const QUrl& url) {
            opened_ << url;
            return true;
        });
    }
    void TearDown() override
    {
        platform::FormInstance<frmAbout>::unload();
        ui::settle();
        qputenv("PATH", savedPath_);
        platform::setProgramStarter(nullptr);
        platform::setDesktopOpener(nullptr);
    }

    ScriptedMessages messages_;
    TempTree tree_;
    QByteArray savedPath_;
    QStringList started_;
    QList<QUrl> opened_;
};

}  // namespace

// Without a viewer, or with one that fails to start, the message comes once
// and the window stays open; otherwise the first viewer found is started. The
// address opens the manual on a click, and OK closes the window.
TEST_F(AboutWindow, StartsAViewerOrSaysThereIsNoneOpensTheManualAndOkCloses)
{
    frmAbout& about = platform::FormInstance<frmAbout>::get();
    ui::showActive(&about);
    about.cmdSysInfo->click();
    EXPECT_EQ(messages_.texts(), QStringList({QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")}));
    EXPECT_TRUE(platform::FormInstance<frmAbout>::isLoaded());

    const QString viewer = tree_.writeFile("bin/kinfocenter", "#!/bin/sh\n");
    QFile::setPermissions(viewer, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    about.cmdSysInfo->click();
    EXPECT_EQ(started_, QStringList({viewer}));
    EXPECT_EQ(messages_.count(), 1);

    platform::setProgramStarter([](const QString&) { return false; });
    about.cmdSysInfo->click();
    EXPECT_EQ(messages_.count(), 2);

    about.setManualPath("/usr/share/velda16/manual.html");
    ui::sendMouse(about.Label1, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened_, QList<QUrl>{QUrl::fromLocalFile("/usr/share/velda16/manual.html")});
    EXPECT_EQ(about.Label1->toolTip(), "/usr/share/velda16/manual.html");
    EXPECT_EQ(QApplication::focusWidget(), about.cmdOK);
    about.cmdOK->click();
    ui::settle();
    EXPECT_FALSE(platform::FormInstance<frmAbout>::isLoaded());
}
