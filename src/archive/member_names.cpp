#include "archive/member_names.h"

#include <QRegularExpression>

#include <cerrno>
#include <iconv.h>

namespace MemberNames {

namespace {

QString decodeCp932(const QByteArray& raw)
{
    iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(raw);
    QByteArray utf8;
    QByteArray input = raw;
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = ::iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, int(sizeof buffer - outLeft));
        if (done == size_t(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: mark one byte and go on.
            utf8.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
        }
    }
    ::iconv_close(converter);
    return QString::fromUtf8(utf8);
}

bool isDrive(const QString& part)
{
    return part.size() == 2 && part.at(1) == QLatin1Char(':') && part.at(0).isLetter();
}

}  // namespace

QString decode(const QByteArray& raw, bool isUtf8)
{
    return isUtf8 ? QString::fromUtf8(raw) : decodeCp932(raw);
}

QStringList safeParts(const QString& memberName)
{
    if (memberName.startsWith(QLatin1Char('/')) || memberName.startsWith(QLatin1Char('\\'))
        || memberName.contains(QChar(0)))
        return {};
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QStringList parts;
    for (const QString& part : memberName.split(separators)) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") || (parts.isEmpty() && isDrive(part)))
            return {};
        parts.append(part);
    }
    return parts;
}

}  // namespace MemberNames
