#pragma once

#include "platform/data_progress.h"

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <functional>

// Where a long run stands, for its progress window.
struct RunProgressFigures {
    int filesDone = 0;
    int totalFiles = 0;     // 0 when the run cannot know it beforehand
    qint64 bytesDone = 0;
    qint64 totalBytes = 0;  // 0 when the run does not count bytes
    QString currentName;
    qint64 elapsedMs = 0;
};

// "12 / 200 ファイル", or "12 ファイル" without a known total.
QString progressFilesText(const RunProgressFigures& figures);
// "3.2 MiB / 120.0 MiB"; empty when the run does not count bytes.
QString progressBytesText(const RunProgressFigures& figures);
// "残り 約 2 分"; empty until there is enough done to estimate from.
QString progressTimeLeftText(const RunProgressFigures& figures);
// The status line after a cancelled run.
QString cancelledRunText(int filesDone, int totalFiles);

// The window of a run, as the run sees it.
class RunProgressView {
public:
    virtual ~RunProgressView() = default;
    // From here to end(), input meant for the program's windows is dropped.
    virtual void begin() = 0;
    // Shows figures (the window itself only once windowDue) and lets the
    // screen repaint. True when the user has asked to cancel.
    virtual bool update(const RunProgressFigures& figures, bool windowDue) = 0;
    // Input made during the run is discarded, not replayed; the window goes.
    virtual void end() = 0;
};

// Counts a run's files for its window and carries the user's Cancel back into
// the run. The window appears once the run has lasted about half a second;
// it is updated from inside the run a few times a second, also from within a
// big file's data.
class RunProgress : public platform::DataProgress {
public:
    // view may be nullptr: a run without a window.
    RunProgress(RunProgressView* view, int totalFiles, qint64 totalBytes = 0);
    ~RunProgress() override;
    // The totals, for a run that learns them once it has begun.
    void plan(int totalFiles, qint64 totalBytes);
    // For a run that learns its byte total as it goes: called once, before
    // the window first shows, to settle the totals through plan() and done().
    void settleTotalsBeforeWindow(std::function<void()> settle) { settleTotals_ = std::move(settle); }
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // Work on name begins. False once the user has cancelled: the run stops
    // before name, after the file it finished last.
    bool step(const QString& name);
    // files more are done, with bytes of data.
    void done(int files = 1, qint64 bytes = 0);
    // bytes of the file being worked on are written so far. False once the
    // user has cancelled: the run stops within the file.
    bool written(qint64 bytes) override;

    bool cancelled() const { return cancelled_; }
    const RunProgressFigures& figures() const { return figures_; }
    QString cancelledText() const { return cancelledRunText(figures_.filesDone, figures_.totalFiles); }

    // Test hook: a window from the first step on, updated at every step.
    static void setTimingForTests(qint64 windowAfterMs, qint64 updateEveryMs);

private:
    // Shows the figures when the last update is long enough ago.
    bool report();

    RunProgressView* view_;
    RunProgressFigures figures_;
    qint64 bytesOfFilesDone_ = 0;
    qint64 bytesOfCurrentFile_ = 0;
    std::function<void()> settleTotals_;
    QElapsedTimer sinceStart_;
    qint64 lastUpdateMs_ = -1;
    bool cancelled_ = false;
};
