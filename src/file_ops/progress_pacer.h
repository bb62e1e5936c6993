#pragma once

#include <QElapsedTimer>

#include <functional>

namespace FileOps {

// Keeps the repainting of a long run to a few times a second, and to a small
// share of the run when one repaint itself is slow (a big folder to re-list).
class ProgressPacer {
public:
    explicit ProgressPacer(qint64 intervalMs = 250) : intervalMs_(intervalMs) {}

    // Runs repaint when the last one is long enough ago; the first call always does.
    void pace(const std::function<void()>& repaint);

private:
    qint64 intervalMs_;
    qint64 waitMs_ = 0;
    QElapsedTimer sinceLast_;
};

}  // namespace FileOps
