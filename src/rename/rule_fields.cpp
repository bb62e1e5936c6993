#include "rename/rule_fields.h"

RuleFields fieldsOfRule(int nameRule)
{
    switch (nameRule) {
    case 1: return {NoField, NoField, NoField, 0, NoField, NoField};
    case 2: return {0, 10, 11, NoField, NoField, NoField};
    case 3: return {2, 20, 21, 22, NoField, NoField};
    case 4: return {4, 30, 31, NoField, 32, 33};
    case 5: return {6, 40, NoField, 41, NoField, NoField};
    case 6: return {8, 50, NoField, NoField, 51, 52};
    default: return {};
    }
}
