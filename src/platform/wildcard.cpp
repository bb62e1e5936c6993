#include "platform/wildcard.h"

#include <QStringView>

#include <algorithm>

namespace platform {

namespace {

// Classic "*" and "?" matching, letter case ignored; iterative with one
// backtrack point, so it stays linear-ish on long names.
bool globMatch(const QString& name, QStringView pattern)
{
    int n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        // A "*" of the pattern is always a star, also over a "*" of the name.
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == QLatin1Char('?')
                       || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool matchesOne(const QString& name, QStringView pattern)
{
    if (globMatch(name, pattern))
        return true;
    if (pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')))
        return globMatch(name, pattern.chopped(2));
    return false;
}

// True when test holds for one of the patterns of patternList.
template <class Test>
bool anyPattern(const QString& patternList, Test test)
{
    // Views, not copies: a folder of thousands of files is matched name by name.
    const QStringView patterns(patternList);
    for (qsizetype start = 0; start <= patterns.size();) {
        qsizetype end = patterns.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = patterns.size();
        const QStringView pattern = patterns.mid(start, end - start).trimmed();
        if (!pattern.isEmpty() && test(pattern))
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool matchesWildcard(const QString& name, const QString& patternList)
{
    return anyPattern(patternList, [&name](QStringView pattern) { return matchesOne(name, pattern); });
}

bool matchesEveryName(const QString& patternList)
{
    return anyPattern(patternList, [](QStringView pattern) {
        // "x.*" takes a name without a dot as "x": "*.*" is as wide as "*".
        if (pattern.size() > 2 && pattern.endsWith(QLatin1String(".*")))
            pattern.chop(2);
        return std::all_of(pattern.begin(), pattern.end(), [](QChar c) { return c == QLatin1Char('*'); });
    });
}

}  // namespace platform
