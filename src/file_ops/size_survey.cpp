#include "file_ops/size_survey.h"

#include "platform/file_system.h"
#include "shared/run_progress.h"

#include <numeric>

namespace FileOps {

SizeSurvey::SizeSurvey(const QVector<QPair<QString, QStringList>>& folders, RunProgress& progress)
    : progress_(progress), pending_(std::async([folders] {
          QVector<qint64> sizes;
          for (const auto& [folder, names] : folders)
              sizes += platform::fileSizes(folder, names);
          return sizes;
      }))
{
    progress_.settleTotalsBeforeWindow([this] { settle(); });
}

SizeSurvey::~SizeSurvey()
{
    progress_.settleTotalsBeforeWindow(nullptr);
}

void SizeSurvey::countDone()
{
    // Until the window asks for the sizes, files done are counted without
    // their bytes: settle() adds those of every file done before it.
    progress_.done(1, known_ ? sizes_.value(counted_) : 0);
    ++counted_;
}

void SizeSurvey::settle()
{
    if (known_)
        return;
    sizes_ = pending_.get();
    known_ = true;
    progress_.plan(progress_.figures().totalFiles, std::accumulate(sizes_.cbegin(), sizes_.cend(), qint64(0)));
    // Files done before the sizes came.
    progress_.done(0, std::accumulate(sizes_.cbegin(), sizes_.cbegin() + qMin(counted_, int(sizes_.size())), qint64(0)));
}

}  // namespace FileOps
