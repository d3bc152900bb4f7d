#include "expression/name_table.h"

#include <gtest/gtest.h>

#include <string>

namespace quorin {
namespace {

TEST(NameTable, LastRegistrationWins) {
    CNameTable table;
    CValue a{1.0}, b{2.0};
    table.SetAt("D", &a);
    table.SetAt("D", &b);
    EXPECT_EQ(table.Lookup("D"), &b);
    EXPECT_EQ(table.GetCount(), 1u);
}

TEST(NameTable, LookupIsExactAndCaseSensitive) {
    CNameTable table;
    CValue a, b;
    table.SetAt("Z1", &a);
    table.SetAt("T_1", &b);
    table.SetAt(std::string("\xB5\xE7\xD1\xB9", 4), &b);  // GBK bytes are kept as they are
    EXPECT_EQ(table.Lookup("Z1"), &a);
    EXPECT_EQ(table.Lookup("z1"), nullptr);
    EXPECT_EQ(table.Lookup("Z1 "), nullptr);
    EXPECT_EQ(table.Lookup(""), nullptr);
    EXPECT_EQ(table.Lookup("T_1"), &b);
    EXPECT_EQ(table.Lookup("\xB5\xE7\xD1\xB9"), &b);
    const std::string text = "Z1+T_1";
    EXPECT_EQ(table.Lookup(std::string_view(text).substr(0, 2)), &a);  // no terminator needed
    EXPECT_EQ(table.Lookup(std::string_view(text).substr(3)), &b);
}

TEST(NameTable, RemoveKeyAndRemoveAllLeaveValuesAlone) {
    CNameTable table;
    CValue a{5.0};
    table.SetAt("A", &a);
    table.SetAt("B", &a);
    EXPECT_TRUE(table.RemoveKey("A"));
    EXPECT_FALSE(table.RemoveKey("A"));
    EXPECT_EQ(table.Lookup("A"), nullptr);
    EXPECT_EQ(table.Lookup("B"), &a);
    table.RemoveAll();
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(a.GetValue(), 5.0);
}

}  // namespace
}  // namespace quorin
