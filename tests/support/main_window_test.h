#pragma once

#include "main_window/frm_marlow.h"
#include "support/private_data_home.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"

// The main window on the folders "program", "work" (the current one) and
// "data" (per-user: trash, journals) of the test's tree; the program's end is
// only counted, and every window is unloaded afterwards.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loaded (built, hidden) on first use.
    frmMarlow& mainWindow() { return platform::FormInstance<frmMarlow>::get(); }
    // Shown and active, so that focus changes are delivered.
    frmMarlow& showMainWindow();
    static void unloadAllWindows();

    ScriptedMessages messages;
    TempTree tree;
    const ScopedDataHome dataHome{tree.path("data")};
    QString programFolder, workFolder;
    int endCount = 0;

private:
    QString previousFolder_;
};
