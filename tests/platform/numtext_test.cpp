#include "platform/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include <clocale>
#include <cstdlib>

#include "tests/common/locale_guard.h"

namespace quorin {
namespace {

struct AtofCase {
    const char* text;
    double value;
};

TEST(CAtof, ReadsTheCLibraryForms) {
    const AtofCase cases[] = {
        {"1.25", 1.25}, {"  -3.5xyz", -3.5}, {"+2", 2.0},    {"1e3", 1000.0},
        {"0x10", 16.0}, {".5", 0.5},         {"1.2.3", 1.2}, {"", 0.0},
        {"abc", 0.0},   {"\t\n 7", 7.0},     {"1,5", 1.0},   {"-0", -0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CAtof(c.text), c.value) << c.text;
        EXPECT_DOUBLE_EQ(CAtof(std::string_view(c.text)), std::atof(c.text)) << c.text;
    }
    EXPECT_EQ(CAtof(static_cast<const char*>(nullptr)), 0.0);
    EXPECT_EQ(CAtof(std::string_view("12345", 2)), 12.0);  // a view stops at its end
    const std::string longNumber = "1." + std::string(300, '0') + "1";
    EXPECT_DOUBLE_EQ(CAtof(std::string_view(longNumber)), 1.0);
}

TEST(CAtoi, MatchesTheCLibrary) {
    for (const char* c :
         {"42", "  -17abc", "+8", "", "x1", "3.9", " \t12", "-0", "2147483647", "2147483648",
          "-2147483649", "99999999999999999999999", "-99999999999999999999999"}) {
        EXPECT_EQ(CAtoi(c), std::atoi(c)) << c;
        EXPECT_EQ(CAtoi(std::string_view(c)), std::atoi(c)) << c;
    }
    EXPECT_EQ(CAtoi(static_cast<const char*>(nullptr)), 0);
}

TEST(CFormat, WritesLikePrintfAndFormatFixedRoundsAsPrintf) {
    EXPECT_EQ(CFormat("%d;%.3f;%s", 7, 1.5, "x"), "7;1.500;x");
    const std::string big(1000, 'a');
    EXPECT_EQ(CFormat("%s%s", big.c_str(), "!"), big + "!");
    EXPECT_EQ(FormatFixed(1.25, 3), "1.250");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // binary value is exactly 0.125: round half to even
    EXPECT_EQ(FormatFixed(2.675, 2), CFormat("%.2f", 2.675));
    EXPECT_EQ(FormatFixed(-100000.0, 3), "-100000.000");
    EXPECT_EQ(FormatFixed(1.5, 0), "2");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "-0.000");
    EXPECT_EQ(FormatFixed(1.0, -4), "1");
    EXPECT_EQ(FormatInt(-123), "-123");
}

TEST(NumbersUnderGermanLocale, KeepTheDecimalPoint) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(CAtof("1.25"), 1.25);
    EXPECT_EQ(CAtof(std::string_view("3.5")), 3.5);
    EXPECT_EQ(CFormat("%.3f", 1.25), "1.250");
    EXPECT_EQ(FormatFixed(0.3, 2), "0.30");
    // The process locale really is the decimal-comma one.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1,5");
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturatesAtTheBounds) {
    struct Case {
        double value;
        int lowest, highest, expected;
    };
    const double nan = std::nan(""), inf = HUGE_VAL;
    const Case cases[] = {
        {2.9, INT_MIN, INT_MAX, 2},
        {-2.9, INT_MIN, INT_MAX, -2},
        {nan, INT_MIN, INT_MAX, 0},
        {inf, INT_MIN, INT_MAX, INT_MAX},
        {-inf, INT_MIN, INT_MAX, INT_MIN},
        {-2147483648.5, INT_MIN, INT_MAX, INT_MIN},
        {3e9, -2000000000, 2000000000, 2000000000},
        {-3e9, -2000000000, 2000000000, -2000000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TruncateToInt(c.value, c.lowest, c.highest), c.expected)
            << c.value << " in " << c.lowest << ".." << c.highest;
}

TEST(TextHelpers, BlanksAndCaseFolding) {
    const std::string_view blanks = " \t ";
    EXPECT_EQ(Trim(" \ta b\r\n"), "a b");
    EXPECT_EQ(Trim(" x\r ", " "), "x\r");
    EXPECT_EQ(Trim(blanks).data(), blanks.data() + 3);  // still a view into the text
    EXPECT_TRUE(IsBlank("") && IsBlank("   "));
    EXPECT_FALSE(IsBlank(" \t") || IsBlank(" x"));
    EXPECT_TRUE(EqualNoCase("Quorin.QuorinCom", "quorin.QUORINCOM"));
    // Only ASCII letters fold; other bytes and lengths must match exactly.
    EXPECT_FALSE(EqualNoCase("\xC1", "\xE1") || EqualNoCase("ab", "abc") || EqualNoCase("[", "{"));
}

}  // namespace
}  // namespace quorin
