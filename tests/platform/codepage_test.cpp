#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace quorin {
namespace {

std::string Hex(std::u16string_view s) {
    std::string out;
    char unit[8];
    for (char16_t c : s) {
        std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

const AnsiConverter& Converter(const std::string& name) {
    static const AnsiConverter gbk("GBK"), cp1252("CP1252"), sjis("SHIFT_JIS"), utf8("UTF-8");
    return name == "GBK" ? gbk : name == "CP1252" ? cp1252 : name == "UTF-8" ? utf8 : sjis;
}

TEST(CodePage, DefaultsToGbk) {
    if (std::getenv("QUORIN_CODEPAGE")) GTEST_SKIP() << "QUORIN_CODEPAGE is set";
    EXPECT_EQ(AnsiCodePage(), "GBK");
    EXPECT_EQ(AnsiToUtf16("\xB2\xE2\xCA\xD4\xA1\x40"), u"\u6D4B\u8BD5\uE4C6");
}

// Every byte string decodes to text, and that text encodes to the same bytes.
TEST(CodePage, DecodesEveryByteAndEncodesItBack) {
    const struct {
        const char* codePage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"GBK", "ab\xB2\xE2\xCA\xD4", u"ab\u6D4B\u8BD5"},            // "测试"
        {"GBK", "\xA1\x40\xFE\xFE\xA2\xE3", u"\uE4C6\uE4C5\u20AC"},  // user-defined areas
        {"GBK", "\x80\xFF", u"\xDC80\xDCFF"},                        // bytes GBK lacks
        {"GBK", "a\xB2", u"a\xDCB2"},                                // lead byte at the end
        {"GBK", "\xB2 \xB2\x7F", u"\xDCB2 \xDCB2\x7F"},              // invalid trails
        {"GBK", "\xFE\x51", u"\U00020087"},                          // beyond U+FFFF
        {"GBK", "\x81\x30\x81\x30", u"\xDC81\x30\xDC81\x30"},        // no four-byte codes
        {"CP1252", "\x80\x81\xE9", u"\u20AC\xDC81\u00E9"},           // 0x81 is unassigned
        {"SHIFT_JIS", "\x82\xA0\xA0\xFF", u"\u3042\xDCA0\xDCFF"},    // "あ"
        {"UTF-8", "\xC3\xA9\xC3", u"\u00E9\xDCC3"},                  // truncated
        {"UTF-8", "\xED\xB2\x80\xC0\x80", u"\xDCED\xDCB2\xDC80\xDCC0\xDC80"},  // never surrogates
    };
    for (const auto& c : cases) {
        const AnsiConverter& converter = Converter(c.codePage);
        const std::u16string text = converter.ToUtf16(c.bytes);
        EXPECT_EQ(Hex(text), Hex(c.text)) << c.codePage << " " << c.bytes;
        EXPECT_EQ(converter.FromUtf16(text), c.bytes) << c.codePage;
        EXPECT_EQ(converter.FromUtf8(converter.ToUtf8(c.bytes)), c.bytes) << c.codePage;
    }
}

TEST(CodePage, RandomBytesRoundTripUnderEveryCodePage) {
    std::mt19937 random(12);
    for (const char* name : {"GBK", "CP1252", "SHIFT_JIS", "UTF-8"}) {
        const AnsiConverter& converter = Converter(name);
        for (int n = 0; n < 3000; ++n) {
            std::string bytes(random() % 24, '\0');
            for (char& b : bytes)
                b = static_cast<char>(random() % 4 ? 0x80 + random() % 0x80 : random() % 0x80);
            ASSERT_EQ(converter.FromUtf16(converter.ToUtf16(bytes)), bytes) << name;
            ASSERT_EQ(converter.FromUtf8(converter.ToUtf8(bytes)), bytes) << name;
        }
    }
}

// Foreign text: escapes give their bytes, characters the code page lacks one "?" each.
TEST(CodePage, EncodesForeignTextByItsRule) {
    const AnsiConverter& gbk = Converter("GBK");
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"a\u0E01b", "a?b"},                        // Thai
        {u"x\U0001F600y", "x?y"},                    // a pair is one character
        {std::u16string(1, char16_t(0xD800)), "?"},  // a lone high surrogate
        {u"\xDC41\xDCFF", "?\xFF"},                  // only escapes of bytes GBK can leave over
        {u"\u00E9\u20AC", "\xA8\xA6\xA2\xE3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gbk.FromUtf16(c.text), c.bytes) << Hex(c.text);
    // In UTF-8 an escaped byte has the three-byte form of its surrogate; a byte that is not
    // UTF-8 stands for itself.
    EXPECT_EQ(gbk.ToUtf8("\xFF"), "\xED\xB3\xBF");
    EXPECT_EQ(gbk.FromUtf8("\xED\xB3\xBF|\xFF|\xF0\x9F\x98\x80"), "\xFF|\xFF|?");
    EXPECT_EQ(Converter("UTF-8").FromUtf16(u"\u0E01\xDC80"), "\xE0\xB8\x81\x80");
}

TEST(CodePage, StrictConversionReportsTheFirstBadCharacter) {
    const AnsiConverter& gbk = Converter("GBK");
    const struct {
        std::string utf8;
        bool ok;
        size_t bad;
        std::string bytes;
    } cases[] = {
        {"\xE6\xB5\x8B", true, 0, "\xB2\xE2"},
        {"ok\xF0\x9F\x98\x80", false, 2, ""},
        {"ab\xFF", false, 2, ""},             // not UTF-8
        {"\xED\xB3\xBFz", true, 0, "\xFFz"},  // an escaped byte is storable
    };
    for (const auto& c : cases) {
        std::string out = "keep";
        size_t bad = 99;
        EXPECT_EQ(gbk.FromUtf8Strict(c.utf8, &out, &bad), c.ok) << c.utf8;
        EXPECT_EQ(out, c.ok ? c.bytes : "keep");
        EXPECT_EQ(bad, c.ok ? 99u : c.bad);
    }
    size_t bad = 0;
    EXPECT_FALSE(gbk.FromUtf16Strict(u"\xDCFF\u6D4B\u0E01", nullptr, &bad));
    EXPECT_EQ(bad, 2u);
}

TEST(CodePage, ConvertsDeclaredEncodingsOrSaysWhyNot) {
    std::string utf8;
    size_t bad = 0;
    EXPECT_EQ(EncodingToUtf8("a\xB2\xE2", "GB2312", &utf8), ToUtf8Status::kDone);
    EXPECT_EQ(utf8, "a\xE6\xB5\x8B");
    EXPECT_EQ(EncodingToUtf8("ab\xFF", "GB2312", &utf8, &bad), ToUtf8Status::kInvalidBytes);
    EXPECT_EQ(bad, 2u);
    EXPECT_EQ(EncodingToUtf8("a", "NO-SUCH-CODE", &utf8), ToUtf8Status::kUnknownEncoding);
}

}  // namespace
}  // namespace quorin
