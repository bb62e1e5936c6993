#include "platform/data_progress.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "support/test_mounts.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct RecordedProgress : DataProgress {
    bool written(qint64 bytes) override
    {
        reported.append(bytes);
        return true;
    }
    QVector<qint64> reported;
};

}  // namespace

// Within one file system and onto another (copy_file_range, sendfile). The
// bytes differ along the file, so that a shifted or short copy shows; it takes
// more than one step of the copy, less than the test's tmpfs holds.
TEST(CopyProgress, FollowsABigFileToItsEnd)
{
    TempTree tree;
    QByteArray content(6 * 1024 * 1024 + 123, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i)
        content[i] = char((i / 4096 + i) & 0xFF);
    const QString source = tree.writeFile("src/big.bin", content);
    TestMount other(tree, TestMount::Kind::Tmpfs, "other");
    for (const QString& folder : {tree.makeFolder("same"), other.folder()}) {
        if (folder == other.folder() && !other.mounted())
            continue;
        SCOPED_TRACE(folder.toStdString());
        const QString target = joinPath(folder, QStringLiteral("big.bin"));
        RecordedProgress progress;
        ASSERT_FALSE(copyFile(source, target, CopyFlush::Durable, nullptr, nullptr, &progress).failed());
        EXPECT_GT(progress.reported.size(), 1);
        EXPECT_EQ(progress.reported.value(progress.reported.size() - 1), content.size());
        EXPECT_EQ(tree.readFile(target.mid(tree.root().size() + 1)), content);
    }
}
