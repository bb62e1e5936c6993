#pragma once

#include "shared/progress_window.h"
#include "shared/run_progress.h"

// While it lives, a run's progress window shows from the first step on and
// the hook sees every update; the usual timing comes back afterwards.
class ShownProgress {
public:
    explicit ShownProgress(ProgressWindow::ShownHook hook)
    {
        RunProgress::setTimingForTests(0, 0);
        ProgressWindow::setShownHookForTests(std::move(hook));
    }
    ~ShownProgress()
    {
        ProgressWindow::setShownHookForTests(nullptr);
        RunProgress::setTimingForTests(500, 100);
    }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;
};
