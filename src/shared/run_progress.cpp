#include "shared/run_progress.h"

#include <QLocale>

#include <utility>

namespace {

qint64 windowAfterMs = 500;
qint64 updateEveryMs = 100;

// An estimate from less than this is mostly noise.
constexpr qint64 EstimateAfterMs = 1000;

}  // namespace

QString progressFilesText(const RunProgressFigures& figures)
{
    if (figures.totalFiles <= 0)
        return QStringLiteral("%1 ファイル").arg(figures.filesDone);
    return QStringLiteral("%1 / %2 ファイル").arg(figures.filesDone).arg(figures.totalFiles);
}

QString progressBytesText(const RunProgressFigures& figures)
{
    if (figures.totalBytes <= 0)
        return QString();
    const QLocale locale;
    return locale.formattedDataSize(figures.bytesDone, 1, QLocale::DataSizeIecFormat)
        + QStringLiteral(" / ")
        + locale.formattedDataSize(figures.totalBytes, 1, QLocale::DataSizeIecFormat);
}

QString progressTimeLeftText(const RunProgressFigures& figures)
{
    // Bytes tell the time of a copy better than files of unequal size.
    const bool byBytes = figures.totalBytes > 0;
    const double done = byBytes ? double(figures.bytesDone) : double(figures.filesDone);
    const double total = byBytes ? double(figures.totalBytes) : double(figures.totalFiles);
    if (figures.elapsedMs < EstimateAfterMs || done <= 0 || total <= done)
        return QString();
    const qint64 secondsLeft = qint64(double(figures.elapsedMs) * (total - done) / done / 1000.0 + 0.5);
    if (secondsLeft < 60)
        return QStringLiteral("残り 約 %1 秒").arg(qMax<qint64>(secondsLeft, 1));
    const qint64 minutesLeft = (secondsLeft + 30) / 60;
    if (minutesLeft < 60)
        return QStringLiteral("残り 約 %1 分").arg(minutesLeft);
    return QStringLiteral("残り 約 %1 時間 %2 分").arg(minutesLeft / 60).arg(minutesLeft % 60);
}

QString cancelledRunText(int filesDone, int totalFiles)
{
    if (totalFiles <= 0)
        return QStringLiteral("中止しました。（%1 ファイル）").arg(filesDone);
    return QStringLiteral("中止しました。（%1 / %2 ファイル）").arg(filesDone).arg(totalFiles);
}

RunProgress::RunProgress(RunProgressView* view, int totalFiles, qint64 totalBytes) : view_(view)
{
    figures_.totalFiles = totalFiles;
    figures_.totalBytes = totalBytes;
    sinceStart_.start();
    if (view_)
        view_->begin();
}

void RunProgress::plan(int totalFiles, qint64 totalBytes)
{
    figures_.totalFiles = totalFiles;
    figures_.totalBytes = totalBytes;
}

RunProgress::~RunProgress()
{
    if (view_)
        view_->end();
}

bool RunProgress::step(const QString& name)
{
    figures_.currentName = name;
    bytesOfCurrentFile_ = 0;
    return report();
}

bool RunProgress::written(qint64 bytes)
{
    bytesOfCurrentFile_ = bytes;
    return report();
}

bool RunProgress::report()
{
    if (!view_ || cancelled_)
        return !cancelled_;
    const qint64 elapsed = sinceStart_.elapsed();
    if (lastUpdateMs_ < 0 || elapsed - lastUpdateMs_ >= updateEveryMs) {
        const bool windowDue = elapsed >= windowAfterMs;
        if (windowDue && settleTotals_)
            std::exchange(settleTotals_, nullptr)();
        figures_.elapsedMs = elapsed;
        figures_.bytesDone = bytesOfFilesDone_ + bytesOfCurrentFile_;
        cancelled_ = view_->update(figures_, windowDue);
        lastUpdateMs_ = elapsed;
    }
    return !cancelled_;
}

void RunProgress::done(int files, qint64 bytes)
{
    figures_.filesDone += files;
    bytesOfFilesDone_ += bytes;
    bytesOfCurrentFile_ = 0;
    figures_.bytesDone = bytesOfFilesDone_;
}

void RunProgress::setTimingForTests(qint64 windowAfter, qint64 updateEvery)
{
    windowAfterMs = windowAfter;
    updateEveryMs = updateEvery;
}
