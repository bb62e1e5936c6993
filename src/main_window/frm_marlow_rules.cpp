#include "main_window/frm_marlow.h"

#include "rename/frm_marlow_a.h"

void frmMarlow::Option1_Click(int /*Index*/) {}

void frmMarlow::Option2_Click(int /*Index*/) {}

void frmMarlow::ResetRules()
{
    setText1(3, QString());
    setText1(4, QString());
    Rules.Prefix.clear();
    Rules.Suffix.clear();
    if (Rules.NameRule > 0)
        platform::FormInstance<frmMarlowA>::unload();
    selectOption(Option1, 0);
    Rules.NameRule = 0;
    Rules.NewExtension.clear();
    selectOption(Option2, 0);
    Rules.ExtRule = 0;
}

void frmMarlow::LoadRuleSet() {}

QString frmMarlow::buildTargetName(const QString& sourceName)
{
    return BuildTargetName(Rules, sourceName);
}

void frmMarlow::ValidateRules(qint16& /*FocusField*/, qint16& /*Status*/) {}
