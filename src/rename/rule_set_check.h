#pragma once

#include "rename/rule_set.h"
#include "shared/result_value.h"

#include <QString>

// FocusField of a refusal that concerns the main window's prefix field; any
// other value is the Text1 index of a field of the file-name operation window.
constexpr qint16 PrefixFocusField = 3;

struct RuleCheck {
    qint16 Status = ResultValue::Proceed;
    qint16 FocusField = 0;
    QString message;  // what to tell the user when refused
};

// Whether names can be built by a rule set just loaded from the windows. A
// start position of a rule 2 to 4 counts from the front when StartFromFront
// is set, as loading sets only the field of the chosen direction.
RuleCheck checkRuleSet(const RuleSet& rules);
