#pragma once

#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "support/main_window_test.h"
#include "support/ui_helpers.h"

#include <QRadioButton>

// The main window shown and active, the rule windows reached through it.
class RuleWindowTest : public MainWindowTest {
protected:
    void SetUp() override { MainWindowTest::SetUp(); showMainWindow(); }

    frmMarlowA& nameWindow() { return platform::FormInstance<frmMarlowA>::get(); }
    frmMarlowB& extensionWindow() { return platform::FormInstance<frmMarlowB>::get(); }
    QWidget* nameField(int index) { return nameWindow().Text1.control(index); }
    QWidget* extensionField(int index) { return extensionWindow().Text1.control(index); }
    QWidget* copyButton() { return mainWindow().Command1.control(0); }
    static QWidget* focus() { return platform::focusedControl(); }
    void chooseNameRule(int rule) { ui::click(mainWindow().Option1.at<QRadioButton>(rule)); }
    void chooseExtensionRule(int rule) { ui::click(mainWindow().Option2.at<QRadioButton>(rule)); }
    static void typeAndEnter(QWidget* field, const QString& text)
    {
        ui::typeText(field, text);
        ui::pressKey(field, Qt::Key_Return);
    }
};
