#include "main_window/frm_marlow.h"
#include "main_window/start_arguments.h"
#include "main_window/work_folders.h"
#include "platform/desktop_scale.h"
#include "platform/file_name_codec.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/qt_message_presenter.h"
#include "platform/vb_look.h"
#include "shared/qt_folder_picker.h"
#include "shared/velda_art.h"
#include "shared/work_folder_paths.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <climits>
#include <cstdio>

#include <unistd.h>

namespace {

QString qtTranslationsFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// Byte-exact, unlike the locale's decoding: names need not be UTF-8.
QStringList decodedArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << platform::decodeFileName(QByteArray(argv[i]));
    return arguments;
}

QString currentFolder()
{
    char folder[PATH_MAX];
    return ::getcwd(folder, sizeof folder) ? platform::decodeFileName(QByteArray(folder)) : QDir::currentPath();
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

// After the main window is up, so that a message or the archive's contents
// window comes in front of it.
void openFromCommandLine(const StartArguments::Opening& opening)
{
    QTimer::singleShot(0, [opening] {
        if (!opening.message.isEmpty())
            platform::showMessage(opening.message);
        frmMarlow* form = platform::FormInstance<frmMarlow>::ifLoaded();
        if (form && !opening.archiveName.isEmpty())
            form->openListedArchive(opening.archiveName);
    });
}

}  // namespace

int main(int argc, char* argv[])
{
    // Help and version need no display.
    StartArguments::Request request = StartArguments::parse(decodedArguments(argc, argv));
    if (request.action == StartArguments::Action::PrintHelp) {
        print(stdout, StartArguments::helpText());
        return 0;
    }
    if (request.action == StartArguments::Action::PrintVersion) {
        print(stdout, StartArguments::versionText());
        return 0;
    }

    platform::followDesktopScale();
    QApplication app(argc, argv);
    // Qt has taken out its own options (-platform, -style, ...).
    request = StartArguments::parse(decodedArguments(argc, argv));
    if (request.action == StartArguments::Action::Refuse) {
        print(stderr, request.complaint + QLatin1Char('\n') + StartArguments::usageLine());
        return 2;
    }
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

    WorkFolders::Lock lock(WorkFolderPaths::pathsFor(platform::programFolder()).base);
    switch (lock.tryAcquire()) {
    case WorkFolders::Lock::Outcome::Acquired: break;
    case WorkFolders::Lock::Outcome::HeldByAnother:
        platform::showMessage(WorkFolders::alreadyRunningMessage());
        return 1;
    case WorkFolders::Lock::Outcome::Unusable:
        platform::showMessage(lock.unusableMessage());
        return 1;
    }

    const StartArguments::Opening opening = StartArguments::openingFor(request.path, currentFolder());
    frmMarlow::StartFolder = opening.folder;
    platform::showInFront(&platform::FormInstance<frmMarlow>::get());
    openFromCommandLine(opening);
    return app.exec();
}
