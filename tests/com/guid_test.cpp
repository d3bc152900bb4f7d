#include "platform/com/guid.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/com/unknown.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

TEST(Guid, ParsesIntoWindowsLayoutAndPrintsUpperCase) {
    GUID g{};
    ASSERT_TRUE(GuidFromString("{20cef8d1-de93-473d-a80a-d3d160bce537}", &g));
    EXPECT_EQ(g.Data1, 0x20CEF8D1u);
    EXPECT_EQ(g.Data2, 0xDE93u);
    EXPECT_EQ(g.Data3, 0x473Du);
    const uint8_t data4[8] = {0xA8, 0x0A, 0xD3, 0xD1, 0x60, 0xBC, 0xE5, 0x37};
    EXPECT_TRUE(std::equal(data4, data4 + 8, g.Data4));
    EXPECT_EQ(GuidToString(g), "{20CEF8D1-DE93-473D-A80A-D3D160BCE537}");
    GUID bare{};
    ASSERT_TRUE(GuidFromString("20cef8d1-de93-473d-a80a-d3d160bce537", &bare));  // braces optional
    EXPECT_EQ(bare, g);
    for (const char* text :
         {"{00000000-0000-0000-0000-000000000000}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}",
          "{01234567-89AB-CDEF-0123-456789ABCDEF}"}) {
        ASSERT_TRUE(GuidFromString(text, &g)) << text;
        EXPECT_EQ(GuidToString(g), text);
    }
    EXPECT_EQ(GuidToString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
}

TEST(Guid, MalformedTextsFailAndLeaveTheOutputAlone) {
    std::vector<std::string> bad = {""};
    for (const auto& c : test::DataCases("guid_malformed.txt"))
        bad.push_back(c.at(0));
    for (const std::string& text : bad) {
        GUID g = IID_IClassFactory;
        EXPECT_FALSE(GuidFromString(text, &g)) << text;
        EXPECT_EQ(g, IID_IClassFactory) << text;
    }
}

TEST(Guid, EqualityComparesEveryField) {
    const GUID base = MakeGuid("{8D3F40F1-0797-4B05-99FF-B33389B5E409}");
    EXPECT_TRUE(IsEqualGUID(base, base));
    for (int field = 0; field < 11; ++field) {
        GUID other = base;
        if (field == 0) other.Data1 ^= 0x80000000u;
        if (field == 1) other.Data2 ^= 1;
        if (field == 2) other.Data3 ^= 0x100;
        if (field >= 3) other.Data4[field - 3] ^= 0x10;
        EXPECT_FALSE(IsEqualGUID(base, other)) << field;
        EXPECT_TRUE(base != other) << field;
    }
}

}  // namespace
}  // namespace quorin
