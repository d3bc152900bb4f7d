#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace quorin {
namespace {

// "测试" (test) in GBK and in UTF-8.
const std::string kGbk = "\xB2\xE2\xCA\xD4";
const std::string kUtf8 = "\xE6\xB5\x8B\xE8\xAF\x95";

TEST(CodePage, DefaultsToGbk) {
    if (std::getenv("QUORIN_CODEPAGE")) GTEST_SKIP() << "QUORIN_CODEPAGE is set";
    EXPECT_EQ(AnsiCodePage(), "GBK");
}

TEST(CodePage, ConvertsGbkBothWays) {
    EXPECT_EQ(AnsiToUtf8("ab" + kGbk), "ab" + kUtf8);
    EXPECT_EQ(Utf8ToAnsi(kUtf8 + "cd"), kGbk + "cd");
    const std::u16string wide = AnsiToUtf16(kGbk);
    EXPECT_EQ(wide, std::u16string(u"\u6D4B\u8BD5"));
    EXPECT_EQ(Utf16ToAnsi(wide), kGbk);
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(Utf16ToAnsi(u""), "");
}

TEST(CodePage, UnconvertibleTextNeverFails) {
    // A lone lead byte and a byte GBK does not use.
    EXPECT_EQ(AnsiToUtf8("a\xB2"), "a\xEF\xBF\xBD");
    EXPECT_EQ(AnsiToUtf8("\xFF"
                         "b"),
              "\xEF\xBF\xBD"
              "b");
    // U+1F600 has no GBK form; one character gives one "?".
    EXPECT_EQ(Utf8ToAnsi("x\xF0\x9F\x98\x80y"), "x?y");
    EXPECT_EQ(Utf8ToAnsi("bad\xC3"), "bad?");
    EXPECT_EQ(Utf16ToAnsi(u"a\u0E01b"), "a?b");  // Thai is not in GBK
    EXPECT_EQ(Utf16ToAnsi(std::u16string(1, char16_t(0xD800))), "?");
}

TEST(CodePage, StrictConversionReportsTheFirstBadCharacter) {
    std::string out = "keep";
    size_t bad = 99;
    EXPECT_FALSE(Utf8ToAnsiStrict("ok\xF0\x9F\x98\x80", &out, &bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_EQ(out, "keep");
    EXPECT_TRUE(Utf8ToAnsiStrict(kUtf8, &out, &bad));
    EXPECT_EQ(out, kGbk);
}

}  // namespace
}  // namespace quorin
