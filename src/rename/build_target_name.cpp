#include "rename/rule_set.h"

#include <QStringBuilder>
#include <QStringView>

namespace {

QStringView left(QStringView text, int count)
{
    return count <= 0 ? QStringView() : text.left(count);
}

QStringView right(QStringView text, int count)
{
    return count <= 0 ? QStringView() : text.right(count);
}

// The number's last digits with zeros in front, as the right end of
// digits zeros followed by the number.
QString serialText(qint64 number, int digits)
{
    const QString text = QString::number(number);
    return text.size() >= digits ? text.right(digits) : QString(digits - text.size(), QLatin1Char('0')) + text;
}

// The middle of a new name: pieces of the base and the text put in, joined
// once at the end rather than copied step by step (a preview builds names by
// the hundred thousand).
struct Pieces {
    QStringView first, second, third;
};

// Rules 2 to 4: a run of count characters starting at a position is replaced
// by insert (empty for rule 2).
Pieces replaceRun(const RuleSet& r, QStringView base, QStringView insert)
{
    const int length = int(base.size());
    const int count = r.CharCount;
    if (r.StartFromFront != 0) {
        const int start = r.StartFromFront;
        if (start > length)
            return {base, insert, {}};
        if (start + count - 1 > length)
            return {left(base, start - 1), insert, {}};
        return {left(base, start - 1), insert, right(base, length - (start + count - 1))};
    }
    const int start = r.StartFromBack;
    if (start > length)
        return {insert, base, {}};
    const int q = length - start + 1;
    return {left(base, q - 1), insert, right(base, length - (q + count - 1))};
}

// Rules 5 and 6: insert goes after a position, counted from the front or back.
Pieces insertAt(const RuleSet& r, QStringView base, QStringView insert)
{
    const int length = int(base.size());
    if (r.FromFront) {
        const int after = r.StartFromFront;
        if (after == 0)
            return {insert, base, {}};
        if (after > length)
            return {base, insert, {}};
        return {left(base, after), insert, right(base, length - after)};
    }
    const int after = r.StartFromBack;
    if (after == 0)
        return {base, insert, {}};
    if (after > length)
        return {insert, base, {}};
    return {left(base, length - after + 1), insert, right(base, after - 1)};
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
    const int dot = int(sourceName.indexOf(QLatin1Char('.')));
    const QStringView base = dot < 0 ? QStringView(sourceName) : QStringView(sourceName).left(dot);
    const QStringView oldExtension = dot < 0 ? QStringView() : QStringView(sourceName).mid(dot);

    if (rules.NameRule == 4 || rules.NameRule == 6) {
        rules.RuleText = serialText(rules.SerialNumber, rules.SerialDigits);
        ++rules.SerialNumber;
    }

    Pieces name;
    switch (rules.NameRule) {
    case 1: name = {rules.RuleText, {}, {}}; break;
    case 2: name = replaceRun(rules, base, QStringView()); break;
    case 3:
    case 4: name = replaceRun(rules, base, rules.RuleText); break;
    case 5:
    case 6: name = insertAt(rules, base, rules.RuleText); break;
    default: name = {base, {}, {}}; break;
    }

    QStringView before;
    QStringView after;
    bool newExtension = true;
    switch (rules.ExtRule) {
    case 1: break;
    case 2:
        if (!oldExtension.isEmpty())
            (rules.ExtBeforeName ? before : after) = oldExtension.mid(1);
        break;
    default:
        after = oldExtension;
        newExtension = false;
        break;
    }
    const bool dotted = newExtension && !rules.NewExtension.isEmpty();
    return before % rules.Prefix % name.first % name.second % name.third % rules.Suffix % after
        % (dotted ? QStringView(u".") : QStringView()) % (dotted ? QStringView(rules.NewExtension) : QStringView());
}
