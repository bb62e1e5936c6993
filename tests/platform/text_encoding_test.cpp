#include "platform/text_encoding.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TextEncoding, Utf8IsWellFormedOnlyAsRfc3629HasIt)
{
    const struct { QByteArray bytes; bool wellFormed; } cases[] = {
        {"", true}, {"plain", true},
        {"\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF", true},  // the first two-byte form, the last of three and four
        {"\xC1\xBF", false}, {"\xE0\x9F\xBF", false}, {"\xF0\x8F\xBF\xBF", false},  // overlong
        {"\xED\xA0\x80", false},                                            // a surrogate
        {"\xF4\x90\x80\x80", false}, {"\xF5\x80\x80\x80", false},            // above U+10FFFF
        {"ok\xE3\x81", false}, {"\x80", false}, {"\xE3\x41\x82", false},       // cut short, stray
    };
    for (const auto& c : cases)
        EXPECT_EQ(isStrictUtf8(c.bytes), c.wellFormed) << c.bytes.toHex().constData();
}

// The one converter serves name after name, whatever the name before it held.
TEST(TextEncoding, Cp932IsReadWholeOrRefusedOrMarkedByteByByte)
{
    const struct { QByteArray bytes; QString strict /* null: refused */, marked; } cases[] = {
        {"\x83\x65\x83\x58\x83\x67.txt", QStringLiteral("テスト.txt"), QStringLiteral("テスト.txt")},
        {"a\x83", QString(), QStringLiteral("a\uFFFD")},  // cut short
        {"\x95\x5C~", QStringLiteral("表~"), QStringLiteral("表~")},
        {"\xFF\x81\xFF\x83\x65", QString(), QStringLiteral("\uFFFD\uFFFD\uFFFD\u30C6")},
        {"", QStringLiteral(""), QStringLiteral("")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        EXPECT_EQ(cp932Text(c.bytes).isNull(), c.strict.isNull());
        EXPECT_EQ(cp932Text(c.bytes), c.strict);
        EXPECT_EQ(cp932TextMarkingInvalid(c.bytes), c.marked);
    }
}
