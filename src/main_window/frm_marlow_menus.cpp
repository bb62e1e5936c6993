#include "main_window/frm_marlow.h"

#include "archive/frm_melt.h"
#include "file_ops/run_journal.h"
#include "file_ops/undo_command.h"
#include "file_ops/undo_offer.h"
#include "folder_delete/frm_del_dir.h"
#include "main_window/work_folders.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "shared/frm_about.h"
#include "shared/progress_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include <memory>

void frmMarlow::mnDel1_Click()
{
    // The other windows go first: with none left to take over, the main
    // window leaves without its fields reacting to losing the focus.
    platform::FormInstance<frmMarlowA>::unload();
    platform::FormInstance<FrmMELT>::unload();
    platform::FormInstance<frmMarlowB>::unload();
    platform::FormInstance<frmAbout>::unload();
    const QStringList ownFolders{ProgramFolder, TempFolder, MeltFolder};
    hide();
    // By code: the exit clean-up of the work folders does not run.
    platform::FormInstance<frmMarlow>::unload();
    frmDelDir& deletion = platform::FormInstance<frmDelDir>::get();
    deletion.setOpener(ownFolders, [] { platform::showInFront(&platform::FormInstance<frmMarlow>::get()); });
    platform::showInFront(&deletion);
}

void frmMarlow::mnHelp1_Click()
{
    const QString manual = ManualPath;
    platform::openWithDesktop(QUrl::fromLocalFile(manual),
                              [manual] { platform::showMessage(WorkFolders::manualNotOpenedMessage(manual)); });
}

void frmMarlow::mnAbout_Click()
{
    frmAbout& about = platform::FormInstance<frmAbout>::get();
    about.setManualPath(ManualPath);
    platform::showInFront(&about);
}

namespace {

class UndoRun : public FileOps::UndoWindow {
public:
    explicit UndoRun(frmMarlow& form) : form_(form) {}

    QString journalFolder() override { return FileOps::journalFolder(); }
    RunProgressView* progressView() override
    {
        progress_ = std::make_unique<ProgressWindow>(&form_, QStringLiteral("元に戻しています…"));
        return progress_.get();
    }
    void refreshLists() override
    {
        form_.fileList(0)->refresh();
        form_.fileList(1)->refresh();
    }
    void setStatusLine(const QString& text) override { form_.Label2->setText(text); }

private:
    frmMarlow& form_;
    std::unique_ptr<ProgressWindow> progress_;
};

}  // namespace

void frmMarlow::buildUndoMenu(QMenuBar* bar)
{
    QMenu* undo = bar->addMenu(QStringLiteral("元に戻す(&U)"));
    mnUndo1 = undo->addAction(QStringLiteral("元に戻す"));
    mnUndo1->setShortcut(QKeySequence::Undo);
    connect(undo, &QMenu::aboutToShow, this, [this] { refreshUndoMenu(); });
    connect(mnUndo1, &QAction::triggered, this, [this] { mnUndo1_Click(); });
}

void frmMarlow::mnUndo1_Click()
{
    UndoRun run(*this);
    FileOps::pressUndo(run);
    refreshUndoMenu();
}

void frmMarlow::refreshUndoMenu()
{
    const FileOps::UndoOffer offer = FileOps::newestUndoableRun(FileOps::journalFolder());
    mnUndo1->setText(FileOps::undoMenuText(offer));
    mnUndo1->setEnabled(offer.exists());
}
