#include "file_ops/target_name.h"

#include <gtest/gtest.h>

// 85 hiragana take 255 bytes, 86 take 258.
TEST(TargetName, RefusesNamesThatLeaveTheFolderOrDoNotFit)
{
    for (const QString& name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../a.txt"),
                                QStringLiteral("sub/a.txt"), QStringLiteral("a") + QChar(0) + "b", QString(86, QChar(0x3042))})
        EXPECT_FALSE(FileOps::isUsableTargetName(name, 255)) << name.toStdString();
    for (const QString& name : {QStringLiteral("..a"), QStringLiteral(".profile"), QString(85, QChar(0x3042))})
        EXPECT_TRUE(FileOps::isUsableTargetName(name, 255)) << name.toStdString();
}
