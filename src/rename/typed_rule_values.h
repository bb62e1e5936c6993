#pragma once

#include "rename/rule_set.h"

#include <QString>

// What the windows show for the rules in force at a copy request, as typed:
// the fields of the chosen frames, empty where the rule has no such field.
struct TypedRuleValues {
    QString prefix;
    QString suffix;
    bool startFromFront = true;  // the chosen frame's from-the-front option
    QString start;
    QString count;
    QString text;
    QString serialStart;
    QString serialDigits;
    QString newExtension;
};

// Refills the rule set from typed values; NameRule, ExtRule, FromFront,
// ExtBeforeName and SerialNumber stay as they are.
void loadTypedValues(RuleSet& rules, const TypedRuleValues& typed);
