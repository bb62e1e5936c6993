#include "platform/file_name_codec.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FileNameCodec, EveryByteStringComesBackExactlyAndReadsAsExpected)
{
    const struct { QByteArray bytes; QString readable; } cases[] = {
        {"plain.txt", QStringLiteral("plain.txt")},
        {"\xe5\x86\x99\xe7\x9c\x9f.jpg", QStringLiteral("写真.jpg")},
        {"\xf0\x9f\x98\x80\xf0\x90\x82\x80", QString::fromUtf8("\xf0\x9f\x98\x80\xf0\x90\x82\x80")},
        {"\x83\x65\x83\x58\x83\x67.txt", QStringLiteral("テスト.txt")},  // CP932
        {"bad\xff.txt", QStringLiteral("bad\uFFFD.txt")},
        {"cut\xe3", QStringLiteral("cut\uFFFD")},  // cut short in either encoding
        {"\xc0\xaf\xed\xa0\x80", QString(5, QChar::ReplacementCharacter)},  // overlong, surrogate
        {"two\nlines.txt", QStringLiteral("two\u23CElines.txt")},  // a break would hide the rest
        {"\x83\x65\r\n", QStringLiteral("\u30C6\u23CE\u23CE")},  // CP932 with CR LF
        {"a\xe2\x80\xa8", QStringLiteral("a\u23CE")},  // U+2028 LINE SEPARATOR
        {"/data/\xe5\x86\x99/\x83\x65\x83\x58\x83\x67/bad\xff", QStringLiteral("/data/写/テスト/bad\uFFFD")},  // name by name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        const QString name = decodeFileName(c.bytes);
        EXPECT_EQ(encodeFileName(name), c.bytes);
        EXPECT_EQ(readableFileName(name), c.readable);
        EXPECT_EQ(hasForeignBytes(name), name != QString::fromUtf8(c.bytes));
    }
    // The rename rules work on the text itself: a break they leave stays a break.
    EXPECT_EQ(editableFileName(decodeFileName("a\n\x83\x65")), QStringLiteral("a\n\u30C6"));
}
