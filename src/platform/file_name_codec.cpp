#include "platform/file_name_codec.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;
constexpr char16_t LineBreakMark = 0x23CE;  // ⏎

// The characters that start a new line where a name is drawn.
bool isLineBreak(QChar ch)
{
    switch (ch.unicode()) {
    case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x85: case 0x2028: case 0x2029: return true;
    default: return false;
    }
}

// Length of the valid UTF-8 sequence at data[at], or 0 when none starts there.
int sequenceLength(const unsigned char* data, qsizetype at, qsizetype size)
{
    const unsigned char lead = data[at];
    if (lead < 0x80)
        return 1;
    int length;
    char32_t code;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((data[at + k] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (data[at + k] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= smallest && code <= 0x10FFFF && !surrogate ? length : 0;
}

bool isEscapeAt(const QString& name, qsizetype at)
{
    const char16_t unit = name.at(at).unicode();
    return unit >= FirstEscape && unit <= LastEscape && (at == 0 || !name.at(at - 1).isHighSurrogate());
}

// The bytes as CP932 text, or a null string when they are not valid CP932.
QString cp932Text(const QByteArray& bytes)
{
    iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == iconv_t(-1))
        return QString();
    QByteArray input = bytes;
    QByteArray output(bytes.size() * 3 + 4, Qt::Uninitialized);
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    const size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    ::iconv_close(converter);
    if (result == size_t(-1) || inLeft != 0)
        return QString();
    output.truncate(output.size() - qsizetype(outLeft));
    return QString::fromUtf8(output);
}

}  // namespace

QByteArray encodeFileName(const QString& name)
{
    if (!hasForeignBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscapeAt(name, i))
            continue;
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        bytes += char(name.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    bytes += QStringView(name).mid(runStart).toUtf8();
    return bytes;
}

QString decodeFileName(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    // Most names are ASCII, a folder of them read name by name.
    if (std::all_of(data, data + size, [](unsigned char byte) { return byte < 0x80; }))
        return QString::fromLatin1(bytes);
    QString name;
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < size) {
        const int length = sequenceLength(data, at, size);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + runStart, int(at - runStart));
        name += QChar(char16_t(0xDC00 + data[at]));
        runStart = ++at;
    }
    if (runStart == 0)
        return QString::fromUtf8(bytes);
    name += QString::fromUtf8(bytes.constData() + runStart, int(size - runStart));
    return name;
}

bool hasForeignBytes(const QString& name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (isEscapeAt(name, i))
            return true;
    return false;
}

QString editableFileName(const QString& name)
{
    if (!hasForeignBytes(name))
        return name;
    const QString japanese = cp932Text(encodeFileName(name));
    return japanese.isNull() ? name : japanese;
}

namespace {

QString fileNameAsText(const QString& name)
{
    if (!hasForeignBytes(name))
        return name;
    if (name.contains(QLatin1Char('/'))) {
        QStringList parts = name.split(QLatin1Char('/'));
        for (QString& part : parts)
            part = fileNameAsText(part);
        return parts.join(QLatin1Char('/'));
    }
    const QString japanese = cp932Text(encodeFileName(name));
    if (!japanese.isNull())
        return japanese;
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isEscapeAt(name, i))
            shown.replace(i, 1, QChar(QChar::ReplacementCharacter));
    return shown;
}

}  // namespace

QString readableFileName(const QString& name)
{
    QString shown = fileNameAsText(name);
    // Read before writing: most names have no break and keep their shared text.
    const auto firstBreak = std::find_if(shown.cbegin(), shown.cend(), isLineBreak);
    for (int i = int(firstBreak - shown.cbegin()); i < shown.size(); ++i)
        if (isLineBreak(shown.at(i)))
            shown[i] = QChar(LineBreakMark);
    return shown;
}

}  // namespace platform
