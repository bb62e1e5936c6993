#include "rename/rule_set.h"

namespace {

QString left(const QString& text, int count)
{
    return count <= 0 ? QString() : text.left(count);
}

QString right(const QString& text, int count)
{
    return count <= 0 ? QString() : text.right(count);
}

QString serialText(qint64 number, int digits)
{
    const QString padded = QString(digits, QLatin1Char('0')) + QString::number(number);
    return padded.right(digits);
}

// Rules 2 to 4: a run of count characters starting at a position is replaced
// by insert (empty for rule 2).
QString replaceRun(const RuleSet& r, const QString& base, const QString& insert)
{
    const int length = base.size();
    const int count = r.CharCount;
    if (r.StartFromFront != 0) {
        const int start = r.StartFromFront;
        if (start > length)
            return base + insert;
        if (start + count - 1 > length)
            return left(base, start - 1) + insert;
        return left(base, start - 1) + insert + right(base, length - (start + count - 1));
    }
    const int start = r.StartFromBack;
    if (start > length)
        return insert + base;
    const int q = length - start + 1;
    return left(base, q - 1) + insert + right(base, length - (q + count - 1));
}

// Rules 5 and 6: insert goes after a position, counted from the front or back.
QString insertAt(const RuleSet& r, const QString& base, const QString& insert)
{
    const int length = base.size();
    if (r.FromFront) {
        const int after = r.StartFromFront;
        if (after == 0)
            return insert + base;
        if (after > length)
            return base + insert;
        return left(base, after) + insert + right(base, length - after);
    }
    const int after = r.StartFromBack;
    if (after == 0)
        return base + insert;
    if (after > length)
        return insert + base;
    return left(base, length - after + 1) + insert + right(base, after - 1);
}

}  // namespace

SplitName splitAtFirstDot(const QString& name)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return SplitName{name, QString()};
    return SplitName{name.left(dot), name.mid(dot)};
}

QString BuildTargetName(RuleSet& rules, const QString& sourceName)
{
    const SplitName parts = splitAtFirstDot(sourceName);
    const QString& base = parts.BaseName;

    if (rules.NameRule == 4 || rules.NameRule == 6) {
        rules.RuleText = serialText(rules.SerialNumber, rules.SerialDigits);
        ++rules.SerialNumber;
    }

    QString name;
    switch (rules.NameRule) {
    case 1: name = rules.RuleText; break;
    case 2: name = replaceRun(rules, base, QString()); break;
    case 3:
    case 4: name = replaceRun(rules, base, rules.RuleText); break;
    case 5:
    case 6: name = insertAt(rules, base, rules.RuleText); break;
    default: name = base; break;
    }
    name = rules.Prefix + name + rules.Suffix;

    switch (rules.ExtRule) {
    case 1: break;
    case 2:
        if (!parts.OldExtension.isEmpty()) {
            const QString old = parts.OldExtension.mid(1);
            name = rules.ExtBeforeName ? old + name : name + old;
        }
        break;
    default: return name + parts.OldExtension;
    }
    return rules.NewExtension.isEmpty() ? name : name + QLatin1Char('.') + rules.NewExtension;
}
