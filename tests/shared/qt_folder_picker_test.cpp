#include "platform/control_array.h"
#include "shared/qt_folder_picker.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Runs answer on the picker's dialog once it is open.
void whenDialogOpens(std::function<void(QFileDialog*)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no folder dialog open";
            return;
        }
        answer(dialog);
    });
}

}  // namespace

TEST(QtFolderPicker, OffersFoldersOnlyUnderItsTitleAndReturnsTheChosenFolder)
{
    TempTree tree;
    const QString folder = tree.makeFolder(QStringLiteral("写真"));
    tree.writeFile(QStringLiteral("note.txt"));
    bool modalWhileOpen = false;
    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool foldersOnly = false;
    whenDialogOpens([&](QFileDialog* dialog) {
        modalWhileOpen = platform::ModalDialogScope::active();
        title = dialog->windowTitle();
        mode = dialog->fileMode();
        foldersOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        dialog->setDirectory(tree.root());
        dialog->selectFile(folder);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    MarlowFuncUtility::QtFolderPicker picker;
    EXPECT_EQ(picker.pickFolder(QStringLiteral("ﾌｫﾙﾀﾞを選択してください")), folder);
    EXPECT_TRUE(modalWhileOpen);
    EXPECT_FALSE(platform::ModalDialogScope::active());
    EXPECT_EQ(title, QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_TRUE(foldersOnly);
}

TEST(QtFolderPicker, ACancelGivesAnEmptyText)
{
    whenDialogOpens([](QFileDialog* dialog) { dialog->reject(); });
    MarlowFuncUtility::QtFolderPicker picker;
    EXPECT_TRUE(picker.pickFolder(QStringLiteral("t")).isEmpty());
}
