#include "rename/rule_set_check.h"

#include "rename/numeric_field.h"
#include "rename/rule_fields.h"
#include "rename/rule_messages.h"

#include <QtGlobal>

namespace {

RuleCheck refuse(const QString& message, int focusField)
{
    return RuleCheck{ResultValue::Stop, qint16(focusField), message};
}

}  // namespace

RuleCheck checkRuleSet(const RuleSet& rules)
{
    const RuleFields fields = fieldsOfRule(rules.NameRule);
    const int start = qMax(rules.StartFromFront, rules.StartFromBack);
    const struct {
        int field;
        int value;
    } numbers[] = {{fields.start, start},
                   {fields.count, rules.CharCount},
                   {fields.serialStart, rules.SerialStart},
                   {fields.serialDigits, rules.SerialDigits}};
    for (const auto& number : numbers) {
        if (number.field != NoField && exceedsFieldLimit(number.value))
            return refuse(RuleMessages::TooLarge, number.field);
    }

    switch (rules.NameRule) {
    case 1:
        if (rules.RuleText.isEmpty() && rules.Suffix.isEmpty() && rules.Prefix.isEmpty())
            return refuse(RuleMessages::NoNewName, PrefixFocusField);
        break;
    case 2:
    case 3:
    case 4:
        if (rules.StartFromFront >= 1)
            break;
        if (rules.StartFromBack < 1)
            return refuse(RuleMessages::StartBelowOne, fields.start);
        if (rules.StartFromBack < rules.CharCount)
            return refuse(RuleMessages::CountPastStart, fields.start);
        break;
    default:
        break;
    }

    if (fields.serialDigits != NoField && rules.SerialDigits < 1)
        return refuse(RuleMessages::SerialDigitsBelowOne, fields.serialDigits);
    return RuleCheck{};
}
