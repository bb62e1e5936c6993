#include "main_window/frm_marlow.h"
#include "main_window/work_folders.h"
#include "platform/desktop_scale.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/qt_message_presenter.h"
#include "platform/vb_look.h"
#include "shared/qt_folder_picker.h"
#include "shared/velda_art.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QStyleFactory>
#include <QTranslator>

namespace {

QString qtTranslationsFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

}  // namespace

int main(int argc, char* argv[])
{
    platform::followDesktopScale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velda"));
    // Ties the windows to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(VELDA_PROGRAM_NAME));
    // Qt's own dialogs, the folder picker above all, speak Japanese like the
    // rest of the program. Without Qt's translations package they stay English.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), qtTranslationsFolder()))
        QApplication::installTranslator(&qtTranslator);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(VeldaArt::programIcon());
    QApplication::setFont(platform::japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    // The main window is unloaded while the folder deletion window is open;
    // the program ends only through its own exits.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [](QSessionManager&) {
        platform::setSessionEnding(true);
    });

    platform::QtMessagePresenter presenter;
    platform::setMessagePresenter(&presenter);
    MarlowFuncUtility::QtFolderPicker folderPicker;
    MarlowFuncUtility::setFolderPicker(&folderPicker);

    const QString programFolder = WorkFolders::programFolderFrom(platform::programFolder());
    WorkFolders::Lock lock(WorkFolders::baseFolder(programFolder));
    if (!lock.tryAcquire()) {
        platform::showMessage(WorkFolders::alreadyRunningMessage());
        return 1;
    }

    platform::showInFront(&platform::FormInstance<frmMarlow>::get());
    return app.exec();
}
