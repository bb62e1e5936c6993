// The driver of bench/run: builds the data sets and runs one timed task per
// process, a copy or move through the main window's batch run with scripted
// answers, the preview alone, a folder tree removal, or a tree sent to the trash.
//
//   velda_bench files FOLDER COUNT MIN_KIB MAX_KIB    files of MIN..MAX KiB
//   velda_bench tree FOLDER [FILES]                   2,000 folders of FILES files (50)
//   velda_bench copy|overwrite|move|preview PROGRAM SOURCE DESTINATION
//                                                     overwrite: a copy with overwriting on
//   velda_bench start PROGRAM FOLDER                  the main window started in FOLDER
//   velda_bench remove FOLDER
//   velda_bench trash FOLDER                          into $XDG_DATA_HOME/Trash or its volume's
//
// A task prints "ms=<time of the run> maxrss_kib=<peak memory of the process>",
// a copy or move also "cpu_ms=<processor time of the run>".
#include "file_ops/remove_folder_tree.h"
#include "main_window/frm_marlow.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/trash.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int TreeTopFolders = 40;
constexpr int TreeSubfoldersEach = 49;  // 40 + 40 * 49 = 2,000 folders

// Answers every question of a run with Yes, the preview's as told, and notes
// when the preview question comes.
class BenchAnswers : public platform::MessagePresenter {
public:
    bool executeCopy = true;
    QElapsedTimer* clock = nullptr;
    qint64 previewMs = -1;

    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        if (text == QStringLiteral("コピー結果を確認して下さい。実行しますか？")) {
            previewMs = clock ? clock->elapsed() : -1;
            return executeCopy ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
        }
        if (buttons == platform::MessageButtons::Ok)
            std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
        return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                          : platform::MessageAnswer::Ok;
    }
};

bool writeFile(const QString& path, const QByteArray& content, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint64 left = size; left > 0; left -= content.size()) {
        if (file.write(content.constData(), qMin<qint64>(left, content.size())) < 0)
            return false;
    }
    return true;
}

// Photo_00000.JPG ..., sizes spread evenly over minKib..maxKib, contents that
// no file system can store as holes.
int makeFiles(const QString& folder, int count, int minKib, int maxKib)
{
    QDir().mkpath(folder);
    QRandomGenerator random(12);
    QByteArray content(1024 * 1024, Qt::Uninitialized);
    for (char& byte : content)
        byte = char(random.generate());
    for (int i = 0; i < count; ++i) {
        const qint64 kib = minKib + qint64(i) * 7919 % (maxKib - minKib + 1);
        content[0] = char(i);
        const QString name = QStringLiteral("Photo_%1.JPG").arg(i, 5, 10, QLatin1Char('0'));
        if (!writeFile(folder + QLatin1Char('/') + name, content, kib * 1024)) {
            std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(name));
            return 1;
        }
    }
    return 0;
}

int makeTree(const QString& root, int filesPerFolder)
{
    const QByteArray content("data");
    auto fill = [&content, filesPerFolder](const QString& folder) {
        QDir().mkpath(folder);
        for (int f = 0; f < filesPerFolder; ++f) {
            if (!writeFile(folder + QStringLiteral("/file%1.dat").arg(f), content, content.size()))
                return false;
        }
        return true;
    };
    for (int t = 0; t < TreeTopFolders; ++t) {
        const QString top = root + QStringLiteral("/top%1").arg(t);
        if (!fill(top))
            return 1;
        for (int s = 0; s < TreeSubfoldersEach; ++s) {
            if (!fill(top + QStringLiteral("/sub%1").arg(s)))
                return 1;
        }
    }
    return 0;
}

// The processor time the process has taken, in the kernel and out of it.
qint64 processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// cpuMs: the processor time of the run, told where it is known.
void printResult(qint64 ms, qint64 cpuMs = -1)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ms=%lld maxrss_kib=%ld", static_cast<long long>(ms), usage.ru_maxrss);
    if (cpuMs >= 0)
        std::printf(" cpu_ms=%lld", static_cast<long long>(cpuMs));
    std::printf("\n");
}

// The main window started in source, as a user would start it there, the
// destination picked, every file selected by the run's own question, and the
// serial rule: the first five characters replaced by a six-digit number.
int runWindow(const QString& task, const QString& program, const QString& source, const QString& destination)
{
    BenchAnswers answers;
    answers.executeCopy = task != QStringLiteral("preview");
    platform::setMessagePresenter(&answers);
    platform::setProgramEnder([] {});
    platform::setProgramFolderOverride(program);
    QDir::setCurrent(source);

    frmMarlow& form = platform::FormInstance<frmMarlow>::get();
    const platform::FsError listed = form.fileList(1)->setPath(destination);
    if (listed.failed()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(platform::errorMessageText(listed)));
        return 1;
    }
    form.DestFolder = destination;
    form.Check1.at<QAbstractButton>(0)->setChecked(task == QStringLiteral("move"));
    form.Check1.at<QAbstractButton>(1)->setChecked(task == QStringLiteral("overwrite"));
    form.Rules.NameRule = 4;
    form.Rules.StartFromFront = 1;
    form.Rules.CharCount = 5;
    form.Rules.SerialStart = 1;
    form.Rules.SerialDigits = 6;
    form.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    answers.clock = &clock;
    const qint64 cpuBefore = processorMs();
    clock.start();
    form.RunBatchCopy();
    const qint64 runMs = clock.elapsed();
    if (answers.executeCopy)
        printResult(runMs, processorMs() - cpuBefore);
    else
        printResult(answers.previewMs);

    platform::FormInstance<frmMarlow>::unload();
    platform::setProgramFolderOverride(QString());
    platform::setMessagePresenter(nullptr);
    return answers.previewMs < 0 ? 1 : 0;
}

// Start-up until the main window is shown with both lists filled.
int startUp(const QString& program, const QString& folder)
{
    platform::setProgramEnder([] {});
    platform::setProgramFolderOverride(program);
    QDir::setCurrent(folder);
    QElapsedTimer clock;
    clock.start();
    frmMarlow& form = platform::FormInstance<frmMarlow>::get();
    form.show();
    QApplication::processEvents();
    printResult(clock.elapsed());
    platform::FormInstance<frmMarlow>::unload();
    platform::setProgramFolderOverride(QString());
    return form.fileList(0)->listCount() > 0 ? 0 : 1;
}

int removeTree(const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    const qint16 result = MarlowFuncUtility::RemoveFolderTree(folder);
    printResult(clock.elapsed());
    return result;
}

int trashTree(const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    platform::TrashEntry entry;
    const platform::FsError error = platform::moveToTrash(folder, entry);
    printResult(clock.elapsed());
    if (error.failed())
        std::fprintf(stderr, "%s\n", qUtf8Printable(platform::errorMessageText(error)));
    return error.failed() ? 1 : 0;
}

int usage()
{
    std::fprintf(stderr, "usage: velda_bench files FOLDER COUNT MIN_KIB MAX_KIB | tree FOLDER [FILES]\n"
                         "       velda_bench copy|overwrite|move|preview PROGRAM SOURCE DESTINATION\n"
                         "       velda_bench start PROGRAM FOLDER | remove FOLDER | trash FOLDER\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The screenless platform says for every progress window what it cannot do with it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        if (!text.startsWith(QStringLiteral("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    });
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString task = args.value(0);
    if (task == QStringLiteral("files") && args.size() == 5)
        return makeFiles(args.at(1), args.at(2).toInt(), args.at(3).toInt(), args.at(4).toInt());
    if (task == QStringLiteral("tree") && (args.size() == 2 || args.size() == 3))
        return makeTree(args.at(1), args.size() == 3 ? args.at(2).toInt() : 50);
    if (task == QStringLiteral("start") && args.size() == 3)
        return startUp(args.at(1), args.at(2));
    if (task == QStringLiteral("remove") && args.size() == 2)
        return removeTree(args.at(1));
    if (task == QStringLiteral("trash") && args.size() == 2)
        return trashTree(args.at(1));
    const QStringList windowTasks{QStringLiteral("copy"), QStringLiteral("overwrite"), QStringLiteral("move"),
                                  QStringLiteral("preview")};
    if (windowTasks.contains(task) && args.size() == 4)
        return runWindow(task, args.at(1), args.at(2), args.at(3));
    return usage();
}
