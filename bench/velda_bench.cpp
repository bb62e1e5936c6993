// Times the copy run on big folders: the preview of 30,000 names, in the file
// operations alone and through the main window, and batch copies and moves.
// Run by hand: velda_bench [file count for the copies, default 2000].
#include "file_ops/batch_preview.h"
#include "file_ops/copy_one_file.h"
#include "file_ops/moved_sources.h"
#include "main_window/frm_marlow.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "rename/rule_set.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>
#include <functional>
#include <optional>

namespace {

constexpr int PreviewCount = 30000;

// Answers the questions of a run, noting when the preview question comes.
class BenchAnswers : public platform::MessagePresenter {
public:
    bool executeCopy = false;
    std::function<void()> onPreview;
    platform::MessageAnswer present(const QString& text, platform::MessageButtons buttons) override
    {
        if (text == QStringLiteral("コピー結果を確認して下さい。実行しますか？")) {
            if (onPreview)
                onPreview();
            return executeCopy ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
        }
        if (buttons == platform::MessageButtons::Ok)
            std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
        return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                          : platform::MessageAnswer::Ok;
    }
};

QString fileName(int i)
{
    return QStringLiteral("Photo_%1.JPG").arg(i, 5, 10, QLatin1Char('0'));
}

void writeFiles(const QString& folder, int count, const QByteArray& content)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QLatin1Char('/') + fileName(i));
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
}

void previewInFileOperations()
{
    QStringList destination;
    for (int i = 0; i < PreviewCount; ++i)
        destination.append(QStringLiteral("existing_%1.jpg").arg(i));
    RuleSet rules;
    rules.NameRule = 4;
    rules.StartFromFront = 1;
    rules.CharCount = 5;
    rules.SerialDigits = 6;
    QElapsedTimer clock;
    clock.start();
    FileOps::BatchPreview preview(destination);
    int clashes = 0;
    for (int i = 0; i < PreviewCount; ++i)
        clashes += preview.add(BuildTargetName(rules, fileName(i))) >= 0;
    std::printf("preview, file operations: %d names against %d destination files: %lld ms (%d clashes)\n",
                PreviewCount, PreviewCount, qint64(clock.elapsed()), clashes);
}

// Moves count files with copyOneFile, the sources deleted in groups or one by one.
void moveInFileOperations(const QString& root, int count, bool grouped)
{
    const QString source = root + (grouped ? QStringLiteral("/grouped") : QStringLiteral("/single"));
    const QString destination = source + QStringLiteral("-dst");
    const QString staging = source + QStringLiteral("-TEMP");
    writeFiles(source, count, QByteArray(16 * 1024, 'x'));
    QDir().mkpath(destination);
    QDir().mkpath(staging);
    ::sync();
    QElapsedTimer clock;
    clock.start();
    {
        std::optional<FileOps::MovedSources> group;
        if (grouped)
            group.emplace();
        for (int i = 0; i < count; ++i)
            FileOps::copyOneFile({source + QLatin1Char('/') + fileName(i), fileName(i), destination, staging, true, false});
        if (group)
            group->finish();
    }
    const qint64 ms = clock.elapsed();
    std::printf("batch move, file operations, %s: %d files of 16 KiB: %lld ms (%.0f files/s)\n",
                grouped ? "sources deleted in groups" : "each source flushed and deleted alone", count, ms,
                count * 1000.0 / qMax<qint64>(ms, 1));
}

// One run of the main window's Copy over every file of source, answering Yes.
void runWindow(BenchAnswers& answers, const QString& source, const QString& destination, bool move,
               qint64& previewMs, qint64& totalMs)
{
    QDir::setCurrent(source);
    frmMarlow& form = platform::FormInstance<frmMarlow>::get();
    form.fileList(1)->setPath(destination);
    form.DestFolder = destination;
    form.Check1.at<QAbstractButton>(0)->setChecked(move);
    form.show();
    QElapsedTimer clock;
    clock.start();
    answers.onPreview = [&] { previewMs = clock.elapsed(); };
    form.RunBatchCopy();
    totalMs = clock.elapsed();
    platform::FormInstance<frmMarlow>::unload();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int copyCount = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    BenchAnswers answers;
    platform::setMessagePresenter(&answers);
    platform::setProgramEnder([] {});
    QTemporaryDir root;
    platform::setProgramFolderOverride(root.path());

    previewInFileOperations();

    writeFiles(root.path() + QStringLiteral("/big"), PreviewCount, QByteArray());
    QDir().mkpath(root.path() + QStringLiteral("/big-dst"));
    qint64 previewMs = 0, totalMs = 0;
    runWindow(answers, root.path() + QStringLiteral("/big"), root.path() + QStringLiteral("/big-dst"), false,
              previewMs, totalMs);
    std::printf("preview, main window: %d files selected by the run, until the question: %lld ms, whole run: %lld ms\n",
                PreviewCount, previewMs, totalMs);

    for (const bool grouped : {false, true})
        moveInFileOperations(root.path(), copyCount / 2, grouped);

    answers.executeCopy = true;
    const QByteArray content(16 * 1024, 'x');
    for (const bool move : {false, true}) {
        const QString source = root.path() + (move ? QStringLiteral("/move-src") : QStringLiteral("/copy-src"));
        const QString destination = source + QStringLiteral("-dst");
        writeFiles(source, copyCount, content);
        QDir().mkpath(destination);
        // The files just written must not be flushed on the run's time.
        ::sync();
        runWindow(answers, source, destination, move, previewMs, totalMs);
        const int placed = int(QDir(destination).entryList(QDir::Files).size());
        std::printf("batch %s, main window: %d files of 16 KiB: %lld ms (%.0f files/s), %d placed\n",
                    move ? "move" : "copy", copyCount, totalMs, copyCount * 1000.0 / qMax<qint64>(totalMs, 1),
                    placed);
    }
    platform::setProgramFolderOverride(QString());
    platform::setMessagePresenter(nullptr);
    return 0;
}
