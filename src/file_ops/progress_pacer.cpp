#include "file_ops/progress_pacer.h"

#include <algorithm>

namespace FileOps {

void ProgressPacer::pace(const std::function<void()>& repaint)
{
    if (sinceLast_.isValid() && sinceLast_.elapsed() < waitMs_)
        return;
    QElapsedTimer cost;
    cost.start();
    repaint();
    waitMs_ = std::max(intervalMs_, 4 * cost.elapsed());
    sinceLast_.start();
}

}  // namespace FileOps
