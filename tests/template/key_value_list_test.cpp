#include "template/key_value_list.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

#include <string>
#include <utility>
#include <vector>

namespace quorin {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs PairsOf(const CKeyValueList& list) {
    return Pairs(list.Pairs().begin(), list.Pairs().end());
}

TEST(KeyValueList, SplitsKeysAndValuesVerbatimAndAnEmptyValueIsOneBlank) {
    for (const auto& c : test::DataCases("key_value_split.txt")) {
        Pairs expected;
        for (size_t i = 2; i + 1 < c.size(); i += 2)
            expected.emplace_back(c[i], c[i + 1]);
        EXPECT_EQ(PairsOf(CKeyValueList(c.at(0), c.at(1).at(0))), expected) << c[0];
    }
    EXPECT_TRUE(CKeyValueList("", ',').Empty());
}

TEST(KeyValueList, LookupFindsValuesAndEntersAbsentKeysWhoseResultsStayValid) {
    CKeyValueList list("a=1;b=2", ';');
    EXPECT_EQ(list.Lookup(std::string_view("bxyz", 1)), "2");
    EXPECT_EQ(list.Find("c"), nullptr);
    // Keys keep their case.
    EXPECT_EQ(std::pair(list.Lookup("c"), list.Lookup("A")),
              std::pair(std::string(), std::string()));
    EXPECT_EQ(list.ToText(";"), "A=;a=1;b=2;c=");
    const std::string& value = list.Lookup("b");
    for (int i = 0; i < 1000; ++i)
        list.Lookup("k" + FormatInt(i));
    EXPECT_EQ(&value, &list.Lookup("b"));
    EXPECT_EQ(value, "2");
}

TEST(KeyValueList, ToTextJoinsPairsInKeyByteOrderWithTheSeparator) {
    EXPECT_EQ(CKeyValueList("b=2;a=;c=x=y", ';').ToText(";\r\n"), "a= ;\r\nb=2;\r\nc=x=y");
    // Shorter keys first; GBK bytes after ASCII.
    EXPECT_EQ(CKeyValueList("b=1;a=2;ab=3;B=4;\xB0\xA1=5;a\xB0=6;", ';').ToText(";"),
              "B=4;a=2;ab=3;a\xB0=6;b=1;\xB0\xA1=5");
    // Keys with a fixed width sort as written, so the joined text must equal the source text.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += CFormat(i ? ";S%05d=value number %d" : "S%05d=value number %d", i, i * 7);
    EXPECT_EQ(CKeyValueList(text, ';').ToText(";"), text);
}

TEST(KeyValueList, EqualsComparesThisListsValuesWithoutRegardToCase) {
    for (const auto& c : test::DataCases("key_value_equals.txt"))
        EXPECT_EQ(CKeyValueList(c.at(0), ';').Equals(CKeyValueList(c.at(1), ';')), c.at(2) == "1")
            << c[0] << " vs " << c[1];
    CKeyValueList mine("a=1", ';');
    mine.Lookup("c");  // entered with "": an absent key compares as empty
    EXPECT_TRUE(mine.Equals(CKeyValueList("a=1", ';')));
}

TEST(KeyValueList, AssignmentMergesThePairs) {
    CKeyValueList list("a=1;b=2", ';');
    list = CKeyValueList("b=3;c=4", ',');
    const CKeyValueList& same = list;
    list = same;
    EXPECT_EQ(CKeyValueList(list).ToText(";"), "a=1;b=3;c=4");
    EXPECT_EQ(list.Separator(), ';');
}

}  // namespace
}  // namespace quorin
