#pragma once

#include "platform/vb_form.h"

#include <QUrl>

class QLabel;
class QPushButton;

// The About window: title, version, the maker's address, and a way to the
// machine's system information viewer.
class frmAbout : public platform::VbForm {
public:
    frmAbout();
    void Form_Load();
    // From the window that opens this one: the manual, where the address
    // leads while Velda has no public home.
    void setManualPath(const QString& manualPath);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblLicence = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QUrl Address;  // what Label1 opens

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click();
    void StartSysInfo();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The product's title and version as the About window shows them.
namespace AppInfo {
QString title();
QString versionText();

// Velda's public home on the web; empty while it has none.
inline constexpr char PublicHomeAddress[] = "";

// Where the About window's address leads: the public home, or while there is
// none, the installed manual.
QUrl homeAddress(const QString& manualPath);
// The address as the About window shows it.
QString shownAddress(const QUrl& address);
// The description's last sentence, which leads to the address below it.
QString addressLead();
}  // namespace AppInfo
