#include "archive/extract_archive.h"
#include "archive/extraction_progress.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "test_archives.h"

#include <gtest/gtest.h>

namespace {

// Records how far the data of members came; stops once stopAtBytes of a member are written.
class DataStoppingProgress : public ExtractionProgress {
public:
    explicit DataStoppingProgress(qint64 stopAtBytes) : stopAtBytes_(stopAtBytes) {}
    void planned(int, qint64) override {}
    bool beforeMember(const QString&) override { return true; }
    void fileDone(qint64) override { ++filesDone; }
    bool written(qint64 bytes) override
    {
        largest = qMax(largest, bytes);
        return bytes < stopAtBytes_;
    }

    int filesDone = 0;
    qint64 largest = 0;

private:
    qint64 stopAtBytes_;
};

}  // namespace

// A big member reports its data as it is written and stops within it; a
// stopped extraction leaves the work folder empty, without a message.
TEST(MemberProgress, FollowsABigMemberAndCancelWithinItLeavesTheWorkFolderEmpty)
{
    const QByteArray big(3 * 1024 * 1024, 'b');
    const struct {
        const char* name;
        QByteArray bytes;
    } archives[] = {
        {"big.lzh", TestArchives::lzh({{"small.txt", "s"}, {"big.bin", big}})},
        {"big.zip", TestArchives::zip({{"small.txt", "s"}, {"big.bin", big, false, true}})},
    };
    for (const auto& archive : archives) {
        for (const qint64 stopAt : {qint64(1024 * 1024), qint64(big.size()) + 1}) {
            SCOPED_TRACE(std::string(archive.name) + " stop at " + std::to_string(stopAt));
            TempTree tree;
            ScriptedMessages messages;
            const QString melt = tree.makeFolder("MELT");
            DataStoppingProgress progress(stopAt);
            qint32 count = -1;
            qint16 result = -1;
            MarlowFuncUtility::ExtractArchive(tree.writeFile(QString("in/") + archive.name, archive.bytes),
                                              melt + "/", count, result, &progress);
            const bool stopped = stopAt <= big.size();
            EXPECT_EQ(result, stopped ? 9 : 0);
            EXPECT_EQ(progress.filesDone, stopped ? 1 : 2);
            if (stopped)
                EXPECT_TRUE(progress.largest >= stopAt && progress.largest < big.size()) << progress.largest;
            else
                EXPECT_EQ(progress.largest, big.size());
            EXPECT_EQ(tree.names("MELT"), stopped ? QStringList() : QStringList({"big.bin", "small.txt"}));
            EXPECT_TRUE(messages.texts().isEmpty());
        }
    }
}
