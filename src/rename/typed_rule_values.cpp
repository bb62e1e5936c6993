#include "rename/typed_rule_values.h"

#include "rename/numeric_field.h"

void loadTypedValues(RuleSet& rules, const TypedRuleValues& typed)
{
    rules.Prefix = typed.prefix.trimmed();
    rules.Suffix = typed.suffix.trimmed();
    const int start = numericFieldValue(typed.start);
    rules.StartFromFront = typed.startFromFront ? start : 0;
    rules.StartFromBack = typed.startFromFront ? 0 : start;
    rules.CharCount = numericFieldValue(typed.count);
    rules.SerialStart = numericFieldValue(typed.serialStart);
    rules.SerialDigits = numericFieldValue(typed.serialDigits);
    rules.RuleText = typed.text;
    rules.NewExtension = typed.newExtension;
}
