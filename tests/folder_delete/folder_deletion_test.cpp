#include "folder_delete/deletion_guard.h"
#include "folder_delete/folder_deletion.h"
#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QStorageInfo>

#include <gtest/gtest.h>

using namespace FolderDeletion;

namespace {

const QString Missing = QStringLiteral("  が存在しません。フォルダを指定し直して下さい。");

class FolderDeletionLogic : public ::testing::Test {
protected:
    void TearDown() override
    {
        platform::clearInjectedFaults();
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }

    // Runs the check on a typed text, recording what it does to the field and the list.
    qint16 check(const QString& typed, platform::FsError listFailure = {})
    {
        return checkDeleteFolder(FolderCheck::FolderSide{
            typed, [this](const QString& text) { fieldTexts_ << text; },
            [this, listFailure](const QString& folder) {
                shownFolders_ << folder;
                if (listFailure.failed())
                    return listFailure;
                return platform::folderExists(folder) ? platform::FsError{}
                                                      : platform::makeError(platform::ErrorNumber::PathNotFound);
            },
            accepted_});
    }

    const QString previousFolder_ = QDir::currentPath();
    ScriptedMessages messages_;
    TempTree tree_;
    QString accepted_;
    QStringList fieldTexts_;
    QStringList shownFolders_;
};

}  // namespace

TEST_F(FolderDeletionLogic, ATypedFolderIsAcceptedCleanAbsoluteAndWithoutBlanksOrLineBreaks)
{
    const QString photos = tree_.makeFolder("photos");
    tree_.makeFolder("other");
    accepted_ = tree_.root();
    EXPECT_EQ(check("  " + tree_.path("other") + "/../pho\r\ntos/  "), 0);
    EXPECT_EQ(accepted_, photos);
    EXPECT_EQ(shownFolders_, QStringList{photos});

    QDir::setCurrent(tree_.root());
    EXPECT_EQ(check("other"), 0);
    EXPECT_EQ(accepted_, tree_.path("other"));
    EXPECT_TRUE(fieldTexts_.isEmpty());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FolderDeletionLogic, AMissingFolderIsRefusedAndTheAcceptedOneComesBackOtherFailuresLeaveTheField)
{
    accepted_ = tree_.makeFolder("kept");
    EXPECT_EQ(check(tree_.path("gone")), 9);
    EXPECT_EQ(check("   "), 9);
    EXPECT_EQ(messages_.texts(), (QStringList{tree_.path("gone") + Missing, Missing}));
    EXPECT_EQ(fieldTexts_, (QStringList{accepted_, accepted_}));
    EXPECT_EQ(shownFolders_, (QStringList{tree_.path("gone"), accepted_, accepted_}));
    EXPECT_EQ(accepted_, tree_.path("kept"));

    messages_.clear();
    fieldTexts_.clear();
    tree_.makeFolder("locked");
    EXPECT_EQ(check(tree_.path("locked"), platform::makeError(platform::ErrorNumber::PermissionDenied)), 9);
    EXPECT_EQ(messages_.texts(), QStringList{platform::errorMessageText(platform::makeError(70))});
    EXPECT_TRUE(fieldTexts_.isEmpty());
    EXPECT_EQ(accepted_, tree_.path("kept"));
}

TEST_F(FolderDeletionLogic, APickedDriveOpensTheCurrentFolderOnItOrItsRootAndReportsAnUnreadableOne)
{
    const QString work = tree_.makeFolder("work");
    QDir::setCurrent(work);
    const QString drive = QStorageInfo(work).rootPath();
    DriveFolder opening = folderOfDrive(drive);
    EXPECT_EQ(opening.folder, work);
    EXPECT_FALSE(opening.error.failed());

    platform::injectFault(platform::FileOperation::List, platform::ErrorNumber::DeviceUnavailable, work);
    opening = folderOfDrive(drive);
    EXPECT_EQ(opening.error.number, platform::ErrorNumber::DeviceUnavailable);

    const QString elsewhere = tree_.makeFolder("mnt/stick");
    EXPECT_EQ(folderOfDrive(elsewhere).folder, elsewhere);
}

TEST_F(FolderDeletionLogic, AFailedRemovalIsReportedOnceAndStillEndsTheChoice)
{
    tree_.writeFile("victim/sub/locked.txt");
    tree_.setReadOnly("victim/sub/locked.txt");
    messages_.answerYes();
    EXPECT_EQ(deleteFolder(tree_.path("victim"), {}), DeleteOutcome::Removed);
    ASSERT_EQ(messages_.count(), 2);
    EXPECT_TRUE(messages_.last().startsWith(QStringLiteral("Error- 75") + QChar(13)));
    EXPECT_TRUE(tree_.exists("victim/sub/locked.txt"));
}

// No answer is scripted: were the question asked, it would be declined.
TEST_F(FolderDeletionLogic, RootsTheProgramFolderAndItsWorkFoldersAreRefusedNothingChosenIsNotAsked)
{
    const QString program = tree_.makeFolder("apps/velda");
    tree_.makeFolder("apps/velda/TEMP");
    platform::setProgramFolderOverride(program + "/");
    const QStringList kept = protectedFolders();
    EXPECT_EQ(kept, (QStringList{program, program + "/TEMP", program + "/MELT"}));

    EXPECT_EQ(deleteFolder(QStringLiteral("/"), kept), DeleteOutcome::Refused);
    EXPECT_EQ(deleteFolder(program + "/TEMP", kept), DeleteOutcome::Refused);
    EXPECT_EQ(deleteFolder(tree_.path("apps"), kept), DeleteOutcome::Refused);
    EXPECT_EQ(deleteFolder(QString(), kept), DeleteOutcome::Declined);
    EXPECT_EQ(messages_.texts(), (QStringList{DeletionGuard::rootMessage(), DeletionGuard::programFolderMessage(),
                                              DeletionGuard::programFolderMessage()}));
    EXPECT_TRUE(tree_.exists("apps/velda/TEMP"));
}

TEST_F(FolderDeletionLogic, RemovingTheCurrentFolderMovesItUpToTheNearestFolderLeft)
{
    tree_.makeFolder("keep/victim/inner");
    QDir::setCurrent(tree_.path("keep/victim/inner"));
    messages_.answerYes();
    deleteFolder(tree_.path("keep/victim"), {});
    EXPECT_FALSE(tree_.exists("keep/victim"));
    EXPECT_EQ(QDir::currentPath(), tree_.path("keep"));

    QDir::setCurrent(tree_.path("keep"));
    tree_.makeFolder("other");
    messages_.answerYes();
    deleteFolder(tree_.path("other"), {});
    EXPECT_EQ(QDir::currentPath(), tree_.path("keep"));
}
