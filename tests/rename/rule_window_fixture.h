#pragma once

#include "main_window/frm_marlow.h"
#include "platform/control_array.h"
#include "platform/process.h"
#include "platform/vb_form.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

// The main window shown and active, with the rule windows reached through it.
class RuleWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unloadAll();
        previousFolder_ = QDir::currentPath();
        platform::setProgramFolderOverride(tree_.makeFolder("program"));
        QDir::setCurrent(tree_.makeFolder("work"));
        platform::setProgramEnder([] {});
        main_ = &platform::FormInstance<frmMarlow>::get();
        ui::showActive(main_);
    }
    void TearDown() override
    {
        unloadAll();
        platform::setProgramEnder(nullptr);
        platform::setProgramFolderOverride(QString());
        QDir::setCurrent(previousFolder_);
    }
    static void unloadAll()
    {
        platform::FormInstance<frmMarlowA>::unload();
        platform::FormInstance<frmMarlowB>::unload();
        platform::FormInstance<frmMarlow>::unload();
        ui::settle();
    }

    frmMarlow& main() { return *main_; }
    frmMarlowA& nameWindow() { return platform::FormInstance<frmMarlowA>::get(); }
    frmMarlowB& extensionWindow() { return platform::FormInstance<frmMarlowB>::get(); }
    QWidget* nameField(int index) { return nameWindow().Text1.control(index); }
    QWidget* extensionField(int index) { return extensionWindow().Text1.control(index); }
    QWidget* copyButton() { return main().Command1.control(0); }

    // The user clicks a rule in the main window.
    void chooseNameRule(int rule)
    {
        main().Option1.at<QRadioButton>(rule)->click();
        ui::settle();
    }
    void chooseExtensionRule(int rule)
    {
        main().Option2.at<QRadioButton>(rule)->click();
        ui::settle();
    }
    void pressEnter(QWidget* field) { ui::pressKey(field, Qt::Key_Return); }
    QWidget* focus() const { return platform::focusedControl(); }
    QString statusLine() { return main().Label2->text(); }

    ScriptedMessages messages_;
    TempTree tree_;
    QString previousFolder_;
    frmMarlow* main_ = nullptr;
};
