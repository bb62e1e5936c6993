#pragma once

// The controls of the file-name operation window that hold the parameters of
// one file-name rule: Option2 index of the from-the-front option, Text1
// indices of the fields; NoField where the rule has none.
constexpr int NoField = -1;

struct RuleFields {
    int frontOption = NoField;
    int start = NoField;
    int count = NoField;
    int text = NoField;
    int serialStart = NoField;
    int serialDigits = NoField;
};

RuleFields fieldsOfRule(int nameRule);
