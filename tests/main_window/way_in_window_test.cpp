#include "platform/process.h"
#include "platform/shell.h"
#include "shared/frm_about.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace {

class MainWindowWayIn : public MainWindowTest {
protected:
    // A file manager's drag of these files let go over the control; true when
    // taken, as a copy (a move would let the file manager delete them).
    bool drop(QWidget* control, const QStringList& names)
    {
        QList<QUrl> urls;
        for (const QString& name : names)
            urls << QUrl::fromLocalFile(tree.path(name));
        QMimeData data;
        data.setUrls(urls);
        QWidget* area = static_cast<QAbstractScrollArea*>(control)->viewport();
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(QPointF(4, 4), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        if (enter.isAccepted())
            QApplication::sendEvent(area, &dropped);
        ui::settle();
        return enter.isAccepted() && dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }
};

}  // namespace

// Both lists start on the current folder, or on the one the command line
// names, showing every file; move and overwrite on, the first rules chosen,
// the source field focused.
TEST_F(MainWindowWayIn, StartsOnTheCurrentOrTheNamedFolderWithTheSourceFieldFocused)
{
    tree.writeFile("work/photo.jpg");
    tree.writeFile("photos/a.jpg");
    for (const QString& named : {QString(), tree.path("photos")}) {
        SCOPED_TRACE(named.toStdString());
        frmMarlow::StartFolder = named;
        frmMarlow& form = showMainWindow();
        const QString folder = named.isEmpty() ? workFolder : named, file = named.isEmpty() ? "photo.jpg" : "a.jpg";
        EXPECT_EQ(QStringList({form.text1(1), form.text1(2), form.SourceFolder, form.DestFolder}),
                  QStringList({folder, folder, folder, folder}));
        EXPECT_EQ(ui::entries(form.fileList(0)) + ui::entries(form.fileList(1)), QStringList({file, file}));
        EXPECT_TRUE(form.List1->isHidden() && form.isChecked(0) && form.isChecked(1)
                    && form.isOptionSelected(form.Option1, 0) && form.isOptionSelected(form.Option2, 0));
        EXPECT_EQ(QApplication::focusWidget(), form.Text1.control(1));
        unloadAllWindows();
    }
    frmMarlow::StartFolder.clear();
    EXPECT_TRUE(messages.texts().isEmpty());
}

// The work folders are emptied at every start, hidden entries included; the
// close box and the exit menu remove them and end the program. A program
// folder given with a trailing separator gives one.
TEST_F(MainWindowWayIn, WorkFoldersStartEmptyAndTheUsersWaysOutRemoveThem)
{
    platform::setProgramFolderOverride(programFolder + "/");
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "exit menu");
        endCount = 0;
        tree.writeFile("program/TEMP/.hidden");
        tree.writeFile("program/MELT/sub/member.txt");
        frmMarlow& form = mainWindow();
        EXPECT_EQ(form.TempFolder, programFolder + "/TEMP");
        EXPECT_TRUE(tree.names("program/TEMP").isEmpty() && tree.names("program/MELT").isEmpty());
        if (closeBox)
            form.close();
        else
            form.mnEnd1->trigger();
        ui::settle();
        EXPECT_EQ(tree.names("program"), QStringList());
        EXPECT_EQ(endCount, 1);
        unloadAllWindows();
    }
}

// Help opens the manual beside the program; with nothing to open it, help
// says where it is and About leads to it.
TEST_F(MainWindowWayIn, HelpOpensTheManualOrSaysWhereItIs)
{
    for (const bool opens : {true, false}) {
        SCOPED_TRACE(opens);
        QList<QUrl> opened;
        platform::setDesktopOpener([&opened, opens](const QUrl& url) {
            opened << url;
            return opens;
        });
        frmMarlow& form = mainWindow();
        messages.clear();
        form.mnHelp1->trigger();
        const QUrl manual = QUrl::fromLocalFile(programFolder + "/manual.html");
        EXPECT_EQ(opened, QList<QUrl>{manual});
        EXPECT_EQ(messages.last().contains(manual.toLocalFile()), !opens) << messages.last().toStdString();
        form.mnAbout_Click();
        EXPECT_EQ(platform::FormInstance<frmAbout>::get().Address, manual);
        unloadAllWindows();
    }
    platform::setDesktopOpener(nullptr);
}

// A folder onto a folder field is taken as typed there; files onto the source
// list are selected there instead of what was, when they lie in its folder.
TEST_F(MainWindowWayIn, DroppedFoldersSetTheFieldsAndDroppedFilesAreSelected)
{
    for (const char* name : {"photos/p.jpg", "work/a.jpg", "work/b.jpg", "work/c.jpg"})
        tree.writeFile(name);
    frmMarlow& form = showMainWindow();
    form.fileList(0)->setSelected(2, true);
    EXPECT_FALSE(drop(form.Text1.control(1), {"work/b.jpg"}));
    EXPECT_FALSE(drop(form.Text1.control(1), {"photos", "work"}));
    EXPECT_FALSE(drop(form.fileList(0), {"photos/p.jpg"}));
    EXPECT_EQ(form.text1(1), workFolder);
    EXPECT_EQ(ui::selectedEntries(form.fileList(0)), QStringList({"c.jpg"}));

    ASSERT_TRUE(drop(form.fileList(0), {"work/b.jpg", "photos/p.jpg", "work/a.jpg"}));
    EXPECT_EQ(ui::selectedEntries(form.fileList(0)), QStringList({"a.jpg", "b.jpg"}));
    ASSERT_TRUE(drop(form.Text1.control(1), {"photos"}));
    EXPECT_EQ(form.SourceFolder, tree.path("photos"));
    EXPECT_EQ(ui::entries(form.fileList(0)), QStringList({"p.jpg"}));
    EXPECT_TRUE(messages.texts().isEmpty());
}
