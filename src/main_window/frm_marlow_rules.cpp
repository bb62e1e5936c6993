#include "main_window/frm_marlow.h"

#include "platform/file_name_codec.h"
#include "platform/message_box.h"
#include "rename/frm_marlow_a.h"
#include "rename/frm_marlow_b.h"
#include "rename/rule_fields.h"
#include "rename/rule_set_check.h"
#include "rename/typed_rule_values.h"

#include <QLabel>

namespace {

// The fields of the file-name operation window, in the order a new rule choice empties them.
constexpr int FileNameFields[] = {0, 10, 11, 20, 21, 22, 30, 31, 32, 33, 40, 41, 50, 51, 52};

}  // namespace

void frmMarlow::Option1_Click(int Index)
{
    Rules.NameRule = Index;
    frmMarlowA& window = platform::FormInstance<frmMarlowA>::get();
    for (int field : FileNameFields)
        window.setText1(field, QString());
    if (Index == 0) {
        window.hide();
        focusCopyButton();
        return;
    }
    window.show();
    for (int frame = 0; frame <= 5; ++frame)
        window.Frame5.control(frame)->setVisible(Rules.NameRule == frame + 1);
    platform::focusControl(window.Text1.control((Rules.NameRule - 1) * 10));
}

void frmMarlow::Option2_Click(int Index)
{
    Rules.ExtRule = Index;
    frmMarlowB& window = platform::FormInstance<frmMarlowB>::get();
    window.setText1(1, QString());
    window.setText1(2, QString());
    if (Index == 0) {
        window.hide();
        focusCopyButton();
        return;
    }
    window.show();
    window.Frame1.control(0)->setVisible(Index == 1);
    window.Frame1.control(1)->setVisible(Index == 2);
    platform::focusControl(window.Text1.control(Index));
}

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
    if (Rules.ExtRule > 0)
        platform::FormInstance<frmMarlowB>::unload();
    selectOption(Option2, 0);
    Rules.ExtRule = 0;
}

void frmMarlow::LoadRuleSet()
{
    TypedRuleValues typed;
    typed.prefix = text1(3);
    typed.suffix = text1(4);
    if (Rules.NameRule > 0) {
        const frmMarlowA& window = platform::FormInstance<frmMarlowA>::get();
        const RuleFields fields = fieldsOfRule(Rules.NameRule);
        const auto textOf = [&window](int field) { return field == NoField ? QString() : window.text1(field); };
        typed.startFromFront = fields.frontOption == NoField || window.isOptionSelected(fields.frontOption);
        typed.start = textOf(fields.start);
        typed.count = textOf(fields.count);
        typed.text = textOf(fields.text);
        typed.serialStart = textOf(fields.serialStart);
        typed.serialDigits = textOf(fields.serialDigits);
    }
    if (Rules.ExtRule > 0)
        typed.newExtension = platform::FormInstance<frmMarlowB>::get().text1(Rules.ExtRule);
    loadTypedValues(Rules, typed);
}

void frmMarlow::ValidateRules(qint16& FocusField, qint16& Status)
{
    LoadRuleSet();
    const RuleCheck check = checkRuleSet(Rules);
    if (check.Status == ResultValue::Proceed)
        return;
    platform::showMessage(check.message);
    FocusField = check.FocusField;
    Status = check.Status;
}

void frmMarlow::showHint(const QString& hint)
{
    Label2->setText(hint);
}

void frmMarlow::focusCopyButton()
{
    platform::focusControl(Command1.control(0));
}

void frmMarlow::nameWindowClosed()
{
    selectOption(Option1, 0);
}

void frmMarlow::extensionWindowClosed()
{
    selectOption(Option2, 0);
}

void frmMarlow::focusRefusedField(qint16 FocusField)
{
    if (FocusField == PrefixFocusField)
        platform::focusControl(Text1.control(PrefixFocusField));
    else
        platform::focusControl(platform::FormInstance<frmMarlowA>::get().Text1.control(FocusField));
}

QString frmMarlow::buildTargetName(const QString& sourceName)
{
    const frmMarlowA* nameWindow = platform::FormInstance<frmMarlowA>::ifLoaded();
    const int frontOption = fieldsOfRule(Rules.NameRule).frontOption;
    Rules.FromFront = Rules.NameRule < 5 || !nameWindow || nameWindow->isOptionSelected(frontOption);
    const frmMarlowB* extensionWindow = platform::FormInstance<frmMarlowB>::ifLoaded();
    Rules.ExtBeforeName = !extensionWindow || extensionWindow->isOptionSelected(0);
    // Rules work on the name as the user reads it, bytes that read as no
    // text kept as they are; a name they leave as it was keeps its exact bytes.
    const QString editable = platform::editableFileName(sourceName);
    const QString built = BuildTargetName(Rules, editable);
    return built == editable ? sourceName : built;
}
