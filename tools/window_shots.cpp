#include "archive/frm_melt.h"
#include "folder_delete/frm_del_dir.h"
#include "main_window/frm_marlow.h"
#include "platform/desktop_scale.h"
#include "platform/dir_list_box.h"
#include "platform/file_list_box.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/qt_message_presenter.h"
#include "platform/vb_form.h"
#include "platform/vb_look.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "shared/progress_window.h"
#include "shared/run_progress.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

// Shows every window of the program as a user meets it and saves a picture of
// the screen with each: for looking at both builds at several resolutions
// (scripts/window-shots.sh). Arguments: the folder for the pictures and a
// prefix for their names.
namespace {

QString shotFolder;
QString shotPrefix;

void settleFor(int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Waits until the window manager has framed every shown window, then saves the screen.
void shoot(const QString& name)
{
    QElapsedTimer waited;
    waited.start();
    auto framed = [] {
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->frameGeometry().height() <= window->height())
                return false;
        return true;
    };
    while (!framed() && waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    settleFor(400);
    const QString file = QDir(shotFolder).filePath(shotPrefix + QLatin1Char('-') + name + QStringLiteral(".png"));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

// A real box, shot and then answered.
class ShotMessages : public platform::MessagePresenter {
public:
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        QTimer::singleShot(0, [] {
            shoot(QStringLiteral("message"));
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        return real_.present(text, buttons);
    }

private:
    platform::QtMessagePresenter real_;
};

template <class Form>
Form& showForm()
{
    Form& form = platform::FormInstance<Form>::get();
    platform::showInFront(&form);
    return form;
}

void shootRuleWindows(frmMarlow& main)
{
    for (const auto& rules : {std::pair<int, int>{4, 1}, std::pair<int, int>{6, 2}, std::pair<int, int>{3, 1},
                              std::pair<int, int>{1, 2}}) {
        main.selectOption(main.Option1, rules.first);
        main.selectOption(main.Option2, rules.second);
        shoot(QStringLiteral("rules-%1-%2").arg(rules.first).arg(rules.second));
    }
    main.ResetRules();
}

void shootProgress(frmMarlow& main)
{
    RunProgress::setTimingForTests(0, 0);
    ProgressWindow view(&main, QStringLiteral("ファイルをコピーしています…"));
    RunProgress progress(&view, 200, qint64(320) << 20);
    progress.done(12, qint64(21) << 20);
    progress.step(QStringLiteral("IMG_20240501_旅行の写真_0013.JPG"));
    shoot(QStringLiteral("progress"));
}

}  // namespace

int main(int argc, char** argv)
{
    platform::followDesktopScale();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER PREFIX\n", argv[0]);
        return 2;
    }
    shotFolder = QString::fromLocal8Bit(argv[1]);
    shotPrefix = QString::fromLocal8Bit(argv[2]);

    TempTree tree;
    for (const char* name : {"work/IMG_0001.JPG", "work/IMG_0002.JPG", "work/旅行メモ.txt", "work/photos.zip"})
        tree.writeFile(QString::fromUtf8(name));
    const QString longFolder = tree.makeFolder(
        QStringLiteral("写真の整理/2024年/05月/家族旅行_北海道_札幌_小樽_函館/カメラ_二台目/未整理のもの"));
    platform::setProgramFolderOverride(tree.path("program"));
    platform::setProgramEnder([] {});
    QDir::setCurrent(tree.path("work"));
    ShotMessages messages;
    platform::setMessagePresenter(&messages);

    frmMarlow& main = showForm<frmMarlow>();
    shoot(QStringLiteral("main"));
    main.setText1(2, longFolder);
    main.CheckFolder(2);
    shoot(QStringLiteral("main-long-folder"));
    shootRuleWindows(main);

    showForm<frmAbout>();
    shoot(QStringLiteral("about"));
    platform::FormInstance<frmAbout>::unload();

    QDir(main.MeltFolder).mkpath(QStringLiteral("写真"));
    for (const QString& name : {QStringLiteral("写真/IMG_0101.JPG"), QStringLiteral("readme.txt")}) {
        QFile member(QDir(main.MeltFolder).filePath(name));
        member.open(QIODevice::WriteOnly);
    }
    FrmMELT& contents = showForm<FrmMELT>();
    contents.setArchiveName(QStringLiteral("photos.zip"));
    if (contents.Dir1->setPath(main.MeltFolder).failed() || contents.fileList()->setPath(main.MeltFolder).failed())
        std::fprintf(stderr, "cannot list %s\n", qPrintable(main.MeltFolder));
    platform::setTextOf(contents.Text1, QStringLiteral("*.*"));
    shoot(QStringLiteral("melt"));
    platform::FormInstance<FrmMELT>::unload();

    shootProgress(main);
    platform::showMessage(QStringLiteral("拡張子には英字しか指定できません。"));

    main.mnDel1_Click();
    shoot(QStringLiteral("delete-folder"));
    platform::FormInstance<frmDelDir>::unload();
    settleFor(100);
    platform::setMessagePresenter(nullptr);
    return 0;
}
