#include "archive/member_names.h"

#include <cerrno>
#include <iconv.h>

namespace MemberNames {

namespace {

// One converter per thread: opening one for each of thousands of names costs
// more than the conversions.
class Cp932Converter {
public:
    Cp932Converter() : converter_(::iconv_open("UTF-8", "CP932")) {}
    ~Cp932Converter()
    {
        if (isOpen())
            ::iconv_close(converter_);
    }
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    bool isOpen() const { return converter_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return converter_; }

private:
    iconv_t converter_;
};

bool isAscii(const QByteArray& raw)
{
    for (const char byte : raw) {
        if (quint8(byte) >= 0x80)
            return false;
    }
    return true;
}

QString decodeCp932(const QByteArray& raw)
{
    if (isAscii(raw))
        return QString::fromLatin1(raw);
    static thread_local Cp932Converter cp932;
    if (!cp932.isOpen())
        return QString::fromLatin1(raw);
    iconv_t converter = cp932.get();
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
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
    return QString::fromUtf8(utf8);
}

bool isDrive(const QString& part)
{
    return part.size() == 2 && part.at(1) == QLatin1Char(':') && part.at(0).isLetter();
}

// Well-formed UTF-8 as RFC 3629 has it: no overlong form, no surrogate,
// nothing above U+10FFFF.
bool isStrictUtf8WithMultiByte(const QByteArray& raw)
{
    bool multiByte = false;
    const int size = int(raw.size());
    for (int i = 0; i < size;) {
        const quint8 lead = quint8(raw.at(i));
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        quint8 low = 0x80;
        quint8 high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > size)
            return false;
        for (int k = 1; k < length; ++k) {
            const quint8 next = quint8(raw.at(i + k));
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        multiByte = true;
        i += length;
    }
    return multiByte;
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
    return decode(raw, isStrictUtf8WithMultiByte(raw));
}

QString decode(const QByteArray& raw, bool isUtf8)
{
    return isUtf8 ? QString::fromUtf8(raw) : decodeCp932(raw);
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
