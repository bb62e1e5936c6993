#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <future>

class RunProgress;

namespace FileOps {

// The sizes of a run's files, looked up on a thread of their own while the
// run copies: a run that ends within half a second waits for none of them,
// and a longer one's window counts bytes from its first showing on.
class SizeSurvey {
public:
    // The files of each folder in turn, in the order the run takes them.
    SizeSurvey(const QVector<QPair<QString, QStringList>>& folders, RunProgress& progress);
    ~SizeSurvey();
    SizeSurvey(const SizeSurvey&) = delete;
    SizeSurvey& operator=(const SizeSurvey&) = delete;

    // The next file is done: counted, with its bytes once the sizes are known.
    void countDone();

private:
    void settle();

    RunProgress& progress_;
    std::future<QVector<qint64>> pending_;
    QVector<qint64> sizes_;
    bool known_ = false;
    int counted_ = 0;
};

}  // namespace FileOps
