#include "folder_delete/folder_deletion.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QStorageInfo>

#include <gtest/gtest.h>

using namespace FolderDeletion;

TEST(FolderDeletionLogic, APickedDriveOpensTheCurrentFolderOnItElseItsRoot)
{
    TempTree tree;
    const QString stick = tree.makeFolder("mnt/stick");
    const QString current = QDir::currentPath();
    EXPECT_EQ(folderOfDrive(QStorageInfo(current).rootPath()).folder, current);
    const DriveFolder elsewhere = folderOfDrive(stick);
    EXPECT_EQ(elsewhere.folder, stick);
    EXPECT_FALSE(elsewhere.error.failed());
}
