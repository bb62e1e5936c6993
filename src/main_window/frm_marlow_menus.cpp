#include "main_window/frm_marlow.h"

void frmMarlow::mnDel1_Click() {}

void frmMarlow::mnHelp1_Click() {}

void frmMarlow::mnAbout_Click() {}
