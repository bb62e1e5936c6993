#include "file_ops/batch_preview.h"
#include "file_ops/target_name.h"

#include <gtest/gtest.h>

TEST(BatchPreview, FindsTheFirstNameAlikeIgnoringCaseAndMarksWhatTheRunWrites)
{
    FileOps::BatchPreview preview({"Alpha.TXT", "beta.txt", "alpha.txt"});
    EXPECT_EQ(preview.add("ALPHA.txt"), 0);
    EXPECT_EQ(preview.add("gamma.txt"), -1);
    EXPECT_EQ(preview.add("Gamma.Txt"), 3);
    EXPECT_EQ(preview.add("ÄRGER.txt"), -1);
    EXPECT_EQ(preview.add("ärger.TXT"), 4);
    EXPECT_EQ(preview.entries(), (QStringList{"Alpha.TXT", "beta.txt", "alpha.txt", "gamma.txt", "ÄRGER.txt"}));
    EXPECT_EQ(preview.markedRows(), (QVector<int>{0, 3, 4}));
}

TEST(TargetName, RefusesNamesThatLeaveTheFolderOrDoNotFit)
{
    const int limit = 255;
    for (const QString& name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../a.txt"),
                                QStringLiteral("sub/a.txt"), QStringLiteral("a") + QChar(0) + QStringLiteral("b"),
                                QString(86, QChar(0x3042))})
        EXPECT_FALSE(FileOps::isUsableTargetName(name, limit)) << name.toStdString();
    for (const QString& name : {QStringLiteral("..a"), QStringLiteral(".profile"), QStringLiteral("a b.txt"),
                                QString(85, QChar(0x3042))})
        EXPECT_TRUE(FileOps::isUsableTargetName(name, limit)) << name.toStdString();
}
