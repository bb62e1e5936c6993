#pragma once

#include "platform/vb_form.h"

// The file-name operation window: the parameters of the chosen file-name rule.
class frmMarlowA : public platform::VbForm {
public:
    frmMarlowA();
    void Form_Load();
};
