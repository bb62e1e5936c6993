#include "shared/frm_about.h"

#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/vb_look.h"
#include "shared/system_information.h"
#include "shared/velda_art.h"

#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

using platform::placeTwips;

namespace AppInfo {

QString title()
{
    return QStringLiteral("Velda");
}

QString versionText()
{
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3 (" VELDA_TOOLKIT ")").arg(VELDA_VERSION_MAJOR).arg(VELDA_VERSION_MINOR).arg(VELDA_VERSION_PATCH);
}

QUrl homeAddress(const QString& manualPath)
{
    const QString home = QString::fromLatin1(PublicHomeAddress);
    return home.isEmpty() ? QUrl::fromLocalFile(manualPath) : QUrl(home);
}

QString shownAddress(const QUrl& address)
{
    return address.isLocalFile() ? QDir::toNativeSeparators(address.toLocalFile()) : address.toString();
}

QString addressLead()
{
    return QString::fromLatin1(PublicHomeAddress).isEmpty() ? QStringLiteral("操作説明は以下にあります。")
                                                            : QStringLiteral("最新版は以下の場所にあります。");
}

}  // namespace AppInfo

namespace {

QFrame* makeLine(QWidget* parent, int left, int top, int right, quint32 bgr, int thickness)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::NoFrame);
    line->setGeometry(platform::twipsToPixels(left), platform::twipsToPixels(top),
                      platform::twipsToPixels(right - left), thickness);
    platform::setBackColor(line, bgr);
    return line;
}

}  // namespace

frmAbout::frmAbout()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
    platform::setClientSizeTwips(this, 5730, 3045);
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");

    picIcon = platform::makeLabel(this, QString(), 240, 240, 540, 540);
    picIcon->setPixmap(VeldaArt::iconPixmap(platform::twipsToPixels(540)));
    picIcon->setFocusPolicy(Qt::TabFocus);
    lblTitle = platform::makeLabel(this, QString(), 1050, 240, 3885, 480);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setFont(platform::japaneseFont(gothic, 18, {true, true, false}));
    platform::setForeColor(lblTitle, 0xFF0000);
    lblVersion = platform::makeLabel(this, QString(), 1050, 780, 3885, 225);
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setFont(platform::japaneseFont(gothic, 12));
    platform::setForeColor(lblVersion, 0xFF0000);
    Image1 = platform::makeLabel(this, QString(), 240, 1200, 1215, 1095);
    Image1->setScaledContents(true);
    Image1->setPixmap(VeldaArt::aboutPicture());
    lblDescription = platform::makeLabel(this, QString(), 1560, 1200, 4005, 600);
    lblDescription->setWordWrap(true);
    lblDescription->setText(QStringLiteral("Tessel製のファイル名変更コピーツールです。") + AppInfo::addressLead());
    platform::setBackColor(lblDescription, 0x808000);
    platform::setForeColor(lblDescription, 0xFFFFFF);
    lblLicence = platform::makeLabel(this, QStringLiteral("MIT ライセンス　© 2026 The Velda developers"), 1560, 1800, 4005, 240);
    lblLicence->setAlignment(Qt::AlignCenter);
    Label1 = platform::makeLabel(this, QString(), 1560, 2040, 4095, 255);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(platform::japaneseFont(gothic, 9, {false, false, true}));
    platform::setForeColor(Label1, 0xFF0000);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    makeLine(this, 90, 2445, 5654, 0x808080, 1);
    makeLine(this, 105, 2460, 5654, 0xFFFFFF, 2);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    placeTwips(cmdOK, 2880, 2640, 1310, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    placeTwips(cmdSysInfo, 4320, 2640, 1310, 345);
    cmdSysInfo->setAutoDefault(false);
    QWidget::setTabOrder(cmdOK, picIcon);
    QWidget::setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load()
{
    setWindowTitle(AppInfo::title() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(AppInfo::versionText());
    lblTitle->setText(AppInfo::title());
}

void frmAbout::setManualPath(const QString& manualPath)
{
    Address = AppInfo::homeAddress(manualPath);
    const QString shown = AppInfo::shownAddress(Address);
    // A long path keeps its beginning and its file name.
    Label1->setText(Label1->fontMetrics().elidedText(shown, Qt::ElideMiddle, Label1->width()));
    Label1->setToolTip(shown);
}

void frmAbout::cmdOK_Click()
{
    unloadByCode();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::Label1_Click()
{
    platform::openWithDesktop(Address);
}

void frmAbout::StartSysInfo()
{
    const QString viewer = SystemInformation::findViewer();
    if (viewer.isEmpty() || !platform::startProgram(viewer))
        platform::showMessage(SystemInformation::unavailableMessage());
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    // Esc presses OK, as Enter does through the default button.
    if (event->key() == Qt::Key_Escape) {
        cmdOK_Click();
        return;
    }
    platform::VbForm::keyPressEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Label1_Click();
    return platform::VbForm::eventFilter(watched, event);
}
