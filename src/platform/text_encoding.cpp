#include "platform/text_encoding.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

int utf8SequenceLength(const char* data, qsizetype at, qsizetype size)
{
    const auto lead = quint8(data[at]);
    if (lead < 0x80)
        return 1;
    int length;
    quint8 low = 0x80;  // the bounds of the second byte
    quint8 high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // overlong
        high = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF;  // above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        const auto next = quint8(data[at + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

bool isStrictUtf8(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype at = 0; at < size;) {
        const int length = utf8SequenceLength(bytes.constData(), at, size);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        if (quint8(byte) >= 0x80)
            return false;
    }
    return true;
}

namespace {

// Opened once per thread: opening one for each of thousands of names costs
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

    bool isOpen() const { return converter_ != iconv_t(-1); }

    // Invalid bytes are each marked with U+FFFD, or end the conversion with
    // a null string when strict.
    QString convert(const QByteArray& bytes, bool strict)
    {
        ::iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        QByteArray utf8;
        QByteArray input = bytes;
        char* in = input.data();
        size_t inLeft = size_t(input.size());
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t done = ::iconv(converter_, &in, &inLeft, &out, &outLeft);
            utf8.append(buffer, int(sizeof buffer - outLeft));
            if (done == size_t(-1) && errno != E2BIG) {
                // An invalid or cut-off sequence.
                if (strict)
                    return QString();
                utf8.append("\xEF\xBF\xBD");
                ++in;
                --inLeft;
            }
        }
        return QString::fromUtf8(utf8);
    }

private:
    iconv_t converter_;
};

QString convertCp932(const QByteArray& bytes, bool strict)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.constData(), bytes.size());
    static thread_local Cp932Converter cp932;
    if (cp932.isOpen())
        return cp932.convert(bytes, strict);
    // Without the converter no byte beyond ASCII can be read.
    if (strict)
        return QString();
    QString marked = QString::fromLatin1(bytes);
    for (QChar& ch : marked) {
        if (ch.unicode() >= 0x80)
            ch = QChar::ReplacementCharacter;
    }
    return marked;
}

}  // namespace

QString cp932Text(const QByteArray& bytes)
{
    return convertCp932(bytes, true);
}

QString cp932TextMarkingInvalid(const QByteArray& bytes)
{
    return convertCp932(bytes, false);
}

}  // namespace platform
