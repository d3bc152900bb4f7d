#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <random>

namespace quorin {
namespace {

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
        EXPECT_EQ(text, c.text) << c.codePage << " " << c.bytes;
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

// Foreign text: escapes give their bytes, a character the code page lacks one "?" each, or the
// strict form refuses it.
TEST(CodePage, EncodesForeignTextByItsRule) {
    const AnsiConverter& gbk = Converter("GBK");
    constexpr size_t kStorable = 99;
    const struct {
        std::u16string text;
        std::string bytes;
        size_t refused;  // where the strict form stops
    } cases[] = {
        {u"\u00E9\u20AC\xDCFF", "\xA8\xA6\xA2\xE3\xFF", kStorable},
        {u"a\u0E01b", "a?b", 1},                        // Thai
        {u"x\U0001F600y", "x?y", 1},                    // a pair is one character
        {std::u16string(1, char16_t(0xD800)), "?", 0},  // a lone high surrogate
        {u"\xDCFF\xDC41", "\xFF?", 1},                  // only escapes of bytes GBK leaves over
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gbk.FromUtf16(c.text), c.bytes);
        size_t refused = kStorable;
        std::string strict = "keep";
        EXPECT_EQ(gbk.FromUtf16Strict(c.text, &strict, &refused), c.refused == kStorable);
        EXPECT_EQ(std::pair(refused, strict),
                  std::pair(c.refused, c.refused == kStorable ? c.bytes : "keep"));
    }
    // In UTF-8 an escaped byte has the three-byte form of its surrogate; a byte that is not
    // UTF-8 stands for itself, but the strict form refuses it.
    EXPECT_EQ(gbk.ToUtf8("\xFF"), "\xED\xB3\xBF");
    EXPECT_EQ(gbk.FromUtf8("\xED\xB3\xBF|\xFF|\xF0\x9F\x98\x80"), "\xFF|\xFF|?");
    size_t bad = 0;
    EXPECT_FALSE(gbk.FromUtf8Strict("\xED\xB3\xBF|\xFF", nullptr, &bad));
    EXPECT_EQ(bad, 4u);
    EXPECT_EQ(Converter("UTF-8").FromUtf16(u"\u0E01\xDC80"), "\xE0\xB8\x81\x80");
}

}  // namespace
}  // namespace quorin
