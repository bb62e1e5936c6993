#include "platform/file_name_codec.h"

#include "platform/text_encoding.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>

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

bool isEscapeAt(const QString& name, qsizetype at)
{
    const char16_t unit = name.at(at).unicode();
    return unit >= FirstEscape && unit <= LastEscape && (at == 0 || !name.at(at - 1).isHighSurrogate());
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
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    // Most names are ASCII, a folder of them read name by name.
    if (std::all_of(data, data + size, [](unsigned char byte) { return byte < 0x80; }))
        return QString::fromLatin1(bytes);
    QString name;
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < size) {
        const int length = utf8SequenceLength(data, at, size);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + runStart, int(at - runStart));
        name += QChar(char16_t(0xDC00 + quint8(data[at])));
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
