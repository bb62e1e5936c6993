#include "archive/member_names.h"

#include "platform/text_encoding.h"

namespace MemberNames {

namespace {

bool isDrive(const QString& part)
{
    return part.size() == 2 && part.at(1) == QLatin1Char(':') && part.at(0).isLetter();
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The parts between separators, empty and "." parts dropped.
QStringList partsOf(const QString& memberName)
{
    QStringList parts;
    int start = 0;
    while (start <= memberName.size()) {
        int end = start;
        while (end < memberName.size() && !isSeparator(memberName.at(end)))
            ++end;
        const QString part = memberName.mid(start, end - start);
        start = end + 1;
        if (!part.isEmpty() && part != QLatin1String("."))
            parts.append(part);
    }
    return parts;
}

}  // namespace

QString decodeUnmarked(const QByteArray& raw)
{
    return decode(raw, !platform::isAscii(raw) && platform::isStrictUtf8(raw));
}

QString decode(const QByteArray& raw, bool isUtf8)
{
    return isUtf8 ? QString::fromUtf8(raw) : platform::cp932TextMarkingInvalid(raw);
}

QString shownName(const QString& memberName)
{
    return partsOf(memberName).join(QLatin1Char('/'));
}

Place placeOf(const QString& memberName)
{
    Place place;
    if (memberName.contains(QChar(0))) {
        place.problem = Place::Problem::Unusable;
        return place;
    }
    for (const QString& part : partsOf(memberName)) {
        if (part == QLatin1String("..") || (place.parts.isEmpty() && isDrive(part))) {
            place.parts.clear();
            place.problem = Place::Problem::LeavesFolder;
            return place;
        }
        place.parts.append(part);
    }
    return place;
}

}  // namespace MemberNames
