#include "platform/data_progress.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Records how far the copy came; stops it at the report numbered stopAt (from 1).
class StoppingProgress : public DataProgress {
public:
    explicit StoppingProgress(int stopAt) : stopAt_(stopAt) {}
    bool written(qint64 bytes) override
    {
        reported.append(bytes);
        return reported.size() != stopAt_;
    }
    QVector<qint64> reported;

private:
    int stopAt_;
};

// Bytes that differ along the file, so that a shifted or short copy shows;
// more than one step of the copy, less than the test's tmpfs holds.
QByteArray bigContent()
{
    QByteArray content(6 * 1024 * 1024 + 123, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i)
        content[i] = char((i / 4096 + i) & 0xFF);
    return content;
}

}  // namespace

// Within one file system and onto another (copy_file_range, sendfile).
TEST(CopyProgress, FollowsABigFileToItsEndOrStopsWithinItLeavingNoPartialCopy)
{
    TempTree tree;
    const QByteArray content = bigContent();
    const QString source = tree.writeFile("src/big.bin", content);
    TestMount other(tree, TestMount::Kind::Tmpfs, "other");
    for (const QString& folder : {tree.makeFolder("same"), other.folder()}) {
        if (folder == other.folder() && !other.mounted())
            continue;
        for (const int stopAt : {0, 1}) {
            SCOPED_TRACE(folder.toStdString() + " stop at " + std::to_string(stopAt));
            const QString target = joinPath(folder, QStringLiteral(".velda-big.part"));
            StoppingProgress progress(stopAt);
            const FsError error = copyFile(source, target, CopyFlush::Durable, nullptr, nullptr, &progress);
            EXPECT_EQ(error.failed(), stopAt > 0);
            EXPECT_EQ(error.cancelled(), stopAt > 0);
            ASSERT_FALSE(progress.reported.isEmpty());
            if (stopAt > 0) {
                EXPECT_EQ(progress.reported.size(), stopAt);
                EXPECT_LT(progress.reported.last(), content.size());
                EXPECT_FALSE(pathExists(target));
            } else {
                EXPECT_GT(progress.reported.size(), 1);
                EXPECT_EQ(progress.reported.last(), content.size());
                EXPECT_EQ(tree.readFile(target.mid(tree.root().size() + 1)), content);
            }
            EXPECT_EQ(tree.readFile("src/big.bin"), content);
        }
    }
    EXPECT_EQ(tree.names("src"), QStringList{"big.bin"});
}
