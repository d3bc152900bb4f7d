#include "platform/com/bstr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace quorin {
namespace {

// "测试" (test) in GBK and in UTF-16.
const std::string kGbk = "\xB2\xE2\xCA\xD4";
const std::u16string kWide = u"\u6D4B\u8BD5";

uint32_t Prefix(BSTR b) {
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(b) - 4, 4);
    return bytes;
}

bool GbkCodePage() {
    const char* cp = std::getenv("QUORIN_CODEPAGE");
    return !cp || !*cp || std::string(cp) == "GBK";
}

TEST(Bstr, PrefixHoldsTheByteLengthAndTextEndsInNul) {
    const char16_t withNul[] = {u'a', u'\0', u'b', u'c'};
    const struct {
        BSTR made;
        std::u16string_view expected;
    } cases[] = {
        {SysAllocString(u"abc"), u"abc"},
        {SysAllocString(u""), u""},
        {SysAllocStringLen(withNul, 4), std::u16string_view(withNul, 4)},  // NULs do not end it
        {SysAllocStringLen(u"abcdef", 2), u"ab"},
        {SysAllocStringLen(nullptr, 3), std::u16string_view(u"\0\0\0", 3)},  // zeroed
    };
    for (const auto& c : cases) {
        OwnedBstr b(c.made);
        ASSERT_NE(b.get(), nullptr);
        EXPECT_EQ(Prefix(b.get()), 2 * c.expected.size());
        EXPECT_EQ(SysStringByteLen(b.get()), 2 * SysStringLen(b.get()));
        EXPECT_EQ(b.view(), c.expected);
        EXPECT_EQ(b.get()[c.expected.size()], u'\0');
    }
}

TEST(Bstr, NullIsTheEmptyTextAndImpossibleLengthsGiveNull) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(std::pair(SysStringLen(nullptr), SysStringByteLen(nullptr)), std::pair(0u, 0u));
    EXPECT_EQ(BstrToAnsi(nullptr), "");
    SysFreeString(nullptr);
    EXPECT_EQ(OwnedBstr().ToAnsi(), "");
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFFu), nullptr);  // 2^32 - 2 bytes + prefix
}

// GBK's user-defined areas, bytes no mapping holds and a lone lead byte come back unchanged; a
// character GBK cannot hold (Thai) and a lone high surrogate become "?".
TEST(Bstr, AnsiTextGoesThroughBothWays) {
    if (!GbkCodePage()) GTEST_SKIP() << "QUORIN_CODEPAGE is not GBK";
    OwnedBstr b(AnsiToBstr("A=" + kGbk + ";\r\n"));
    EXPECT_EQ(b.view(), u"A=" + kWide + u";\r\n");
    EXPECT_EQ(BstrToAnsi(b.get()), "A=" + kGbk + ";\r\n");
    OwnedBstr empty(AnsiToBstr(""));
    ASSERT_NE(empty.get(), nullptr);
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_EQ(OwnedBstr::FromAnsi("\xA1\x40\xFF\xB2").view(), u"\uE4C6\xDCFF\xDCB2");
    EXPECT_EQ(OwnedBstr::FromUtf16(u"\xDCFF\uE4C5").ToAnsi(), "\xFF\xFE\xFE");
    EXPECT_EQ(OwnedBstr::FromUtf16(u"a\u0E01b").ToAnsi(), "a?b");
    EXPECT_EQ(OwnedBstr::FromUtf16(std::u16string(1, char16_t(0xD800))).ToAnsi(), "?");
}

// The plain C pair a host uses without the C++ helpers.
TEST(Bstr, CFunctionsConvertWithoutLossAndWriteOnlyWhenThereIsRoom) {
    if (!GbkCodePage()) GTEST_SKIP() << "QUORIN_CODEPAGE is not GBK";
    const std::string bytes("a\0\xFE\xFE\x80", 5);
    OwnedBstr b(QuorinAnsiToBstr(bytes.data(), static_cast<int32_t>(bytes.size())));
    EXPECT_EQ(b.view(), std::u16string_view(u"a\0\uE4C5\xDC80", 4));
    EXPECT_EQ(OwnedBstr(QuorinAnsiToBstr("\xB2\xE2x", -1)).view(), u"\u6D4Bx");
    EXPECT_EQ(QuorinAnsiToBstr(nullptr, 3), nullptr);
    const struct {
        bool out;
        int32_t capacity;
        std::string written;  // the buffer afterwards, from "#######"
    } cases[] = {
        {false, 99, "#######"},
        {true, 4, "#######"},
        {true, 5, std::string("a\0\xFE\xFE\x80##", 7)},
        {true, 6, std::string("a\0\xFE\xFE\x80\0#", 7)},
    };
    for (const auto& c : cases) {
        std::string buffer = "#######";
        EXPECT_EQ(QuorinBstrToAnsi(b.get(), c.out ? buffer.data() : nullptr, c.capacity), 5);
        EXPECT_EQ(buffer, c.written) << c.capacity;
    }
    EXPECT_EQ(QuorinBstrToAnsi(nullptr, nullptr, 0), 0);
}

TEST(Bstr, OwnersFreeWhatTheyHold) {
    OwnedBstr a = OwnedBstr::FromAnsi("first");
    *a.out() = SysAllocString(u"second");  // out() freed "first"
    OwnedBstr b(std::move(a));
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(b.ToAnsi(), "second");
    b = OwnedBstr::FromAnsi("third");
    BSTR raw = b.release();
    EXPECT_EQ(b.get(), nullptr);
    EXPECT_EQ(BstrToAnsi(raw), "third");
    SysFreeString(raw);

    BstrTable<9> rows(2);  // arrays and tables free their entries (checked under ASan)
    rows.data()[1][8] = AnsiToBstr("last");
    EXPECT_EQ(rows.Ansi(1, 8), "last");
    EXPECT_EQ(&rows.at(1, 0), &rows.data()[1][0]);
}

}  // namespace
}  // namespace quorin
