#include "template/key_value_list.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quorin {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs PairsOf(const CKeyValueList& list) {
    return Pairs(list.Pairs().begin(), list.Pairs().end());
}

TEST(KeyValueList, SplitsKeysAndValuesVerbatimAndAnEmptyValueIsOneBlank) {
    // Text, separator, the pairs in map order.
    const std::tuple<std::string, char, Pairs> cases[] = {
        {"a=1;b=2", ';', {{"a", "1"}, {"b", "2"}}},
        {"N=Line,ID=Z1", ',', {{"ID", "Z1"}, {"N", "Line"}}},
        {"x;y=3", ';', {{"x;y", "3"}}},
        {" a = 1 ;\tb=2\r\n", ';', {{"\tb", "2\r\n"}, {" a ", " 1 "}}},
        {"a=b=c;d=e", ';', {{"a", "b=c"}, {"d", "e"}}},
        {"=v", ';', {{"", "v"}}},
        {"a=1;;b=2", ';', {{";b", "2"}, {"a", "1"}}},
        {"a=1,b=2", ';', {{"a", "1,b=2"}}},
        {std::string("a=1\0;b=2", 8), ';', {{"a", std::string("1\0", 2)}, {"b", "2"}}},
        {"a=1 b= c=3", ' ', {{"a", "1"}, {"b", " "}, {"c", "3"}}},
        // The last value of a repeated key wins; text after the last "=" pair is dropped.
        {"a=1;b=x;a=;", ';', {{"a", " "}, {"b", "x"}}},
        {";;;", ';', {}},
        {"a=1;tail without equals", ';', {{"a", "1"}}},
        {"a=;b=2", ';', {{"a", " "}, {"b", "2"}}},
        {"k=", ';', {{"k", " "}}},
        {"k=;", ';', {{"k", " "}}},
        {"a=1,b=", ',', {{"a", "1"}, {"b", " "}}},
    };
    for (const auto& [text, separator, expected] : cases)
        EXPECT_EQ(PairsOf(CKeyValueList(text, separator)), expected) << text;
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
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"a=x;b=Yes", "b=yES;a=X", true},
        {"a=1", "a=2", false},
        {"a=1", "a=1;b=2", true},  // only this list's keys count
        {"a=1;b=2", "a=1", false},
        {"k=\xB0\x41", "k=\xB0\x61", false},  // trail bytes of GBK characters are not letters
        {"k=A\xB0", "k=a\xB0", true},
        {"A=1", "a=1", false},  // keys keep their case
        {"a=", "a= ", true},
    };
    for (const auto& [mine, other, equal] : cases)
        EXPECT_EQ(CKeyValueList(mine, ';').Equals(CKeyValueList(other, ';')), equal)
            << mine << " vs " << other;
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
