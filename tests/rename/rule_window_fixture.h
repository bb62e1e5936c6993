#pragma once

#include "main_window/frm_marlow.h"
#include "platform/control_array.h"
#include "platform/process.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "support/scripted_messages.h"
#include "support/temp_tree.h"
#include "support/ui_helpers.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

// The main window shown and active, the rule windows reached through it.
class RuleWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unloadAll();
        previousFolder_ = QDir::currentPath();
        platform::setProgramFolderOverride(tree_.makeFolder("program"));
        QDir::setCurrent(tree_.makeFolder("work"));
        platform::setProgramEnder([] {});
        ui::showActive(&main());
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

    frmMarlow& main() { return platform::FormInstance<frmMarlow>::get(); }
    frmMarlowA& nameWindow() { return platform::FormInstance<frmMarlowA>::get(); }
    frmMarlowB& extensionWindow() { return platform::FormInstance<frmMarlowB>::get(); }
    QWidget* nameField(int index) { return nameWindow().Text1.control(index); }
    QWidget* extensionField(int index) { return extensionWindow().Text1.control(index); }
    QWidget* copyButton() { return main().Command1.control(0); }
    QWidget* focus() const { return platform::focusedControl(); }

    // The user clicks a rule in the main window.
    void chooseNameRule(int rule) { click(main().Option1.at<QRadioButton>(rule)); }
    void chooseExtensionRule(int rule) { click(main().Option2.at<QRadioButton>(rule)); }
    static void click(QRadioButton* option)
    {
        option->click();
        ui::settle();
    }
    static void typeAndEnter(QWidget* field, const QString& text)
    {
        ui::typeText(field, text);
        ui::pressKey(field, Qt::Key_Return);
    }

    ScriptedMessages messages_;
    TempTree tree_;
    QString previousFolder_;
};
