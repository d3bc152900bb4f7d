#include "expression/name_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorin {
namespace {

TEST(NameTable, LookupIsExactAndCaseSensitiveAndTheLastRegistrationWins) {
    CNameTable table;
    CValue a, b;
    table.SetAt("Z1", &b);
    table.SetAt("Z1", &a);
    table.SetAt("T_1", &b);
    table.SetAt(std::string("\xB5\xE7\xD1\xB9", 4), &b);  // GBK bytes are kept as they are
    table.SetAt("N", nullptr);
    EXPECT_EQ(table.GetCount(), 4u);
    EXPECT_EQ(table.Lookup("Z1"), &a);
    EXPECT_EQ(table.Lookup("z1"), nullptr);
    EXPECT_EQ(table.Lookup("Z1 "), nullptr);
    EXPECT_EQ(table.Lookup(""), nullptr);
    EXPECT_EQ(table.Lookup("N"), nullptr);  // a null value reads as absent
    EXPECT_EQ(table.Lookup("\xB5\xE7\xD1\xB9"), &b);
    const std::string text = "Z1+T_1";
    EXPECT_EQ(table.Lookup(std::string_view(text).substr(0, 2)), &a);  // no terminator needed
    EXPECT_EQ(table.Lookup(std::string_view(text).substr(3)), &b);
}

// Removal leaves the values alone.
TEST(NameTable, ManyNamesSurviveGrowthAndRemoval) {
    CNameTable table;
    std::vector<CValue> values(3000);
    const auto name = [](int i) { return "N" + std::to_string(i * 7919 % 10007); };
    for (int i = 0; i < 3000; ++i)
        table.SetAt(name(i), &values[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 3000; i += 3)
        EXPECT_TRUE(table.RemoveKey(name(i)));
    EXPECT_FALSE(table.RemoveKey(name(0)));
    EXPECT_EQ(table.GetCount(), 2000u);
    for (int i = 0; i < 3000; ++i) {
        const CValue* expected = i % 3 == 0 ? nullptr : &values[static_cast<std::size_t>(i)];
        ASSERT_EQ(table.Lookup(name(i)), expected) << name(i);
    }
    table.RemoveAll();
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(table.Lookup(name(1)), nullptr);
}

}  // namespace
}  // namespace quorin
