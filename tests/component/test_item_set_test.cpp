#include "component/test_item_set.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/numtext.h"
#include "tests/common/record.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

const std::string kBegin = "<TestItemBegin>";
const std::string kEnd = "<TestItemEnd>";

std::string Block(const std::string& inner) {
    return kBegin + inner + kEnd;
}

using test::DataBytes;
using test::DataCases;
using test::Record;
using test::Str;

TEST(TestItem, KeyStringsFollowTheParameterLayout) {
    std::string keys;
    for (int index : {0, 1, 2, 3, 4, 5, 57, 60, 61, -1})
        keys += std::string(CTestItem::KeyName(index)) + ";";
    EXPECT_EQ(keys, "TESTNAME;NAME1;VALUE1;PROPERTY1;REQUIRE1;NAME2;NAME15;REQUIRE15;;;");
    EXPECT_EQ(CTestItem::PropertyIndex(16), -1);

    CTestItem item;  // indexes out of range read as empty and are not written
    item.SetKeyString(61, "ignored");
    item.SetChannel(21, "ignored");
    EXPECT_EQ(std::tuple(item.KeyString(61), item.Channel(21), item.Name(0)),
              std::tuple("", "", ""));
}

// One own item read from its data file (CR LF, TAB, GBK name, empty and missing keys).
class OwnItem : public ::testing::Test {
protected:
    void SetUp() override {
        set.ReadBlocks(DataBytes("own_item.txt"));
        ASSERT_EQ(set.Count(), 1);
        item = set.Item(0);
    }
    CTestItemSet set;
    CTestItem* item = nullptr;
};

TEST_F(OwnItem, IsWrittenAsItsReferenceText) {
    const std::string expected = DataBytes("own_item.ref");
    EXPECT_EQ(set.ItemText(0), expected);
    EXPECT_EQ(set.SpliceItemTexts(), Block(expected));
}

TEST_F(OwnItem, WritesHostChannelsAndMirrorsTheFirstThirteen) {
    std::vector<std::string> channels;
    for (int c = 0; c < 14; ++c)
        channels.push_back(c == 3 ? "" : FormatInt(c * 10) + "V");
    set.SetChannelTable(0, channels, "new hint", 0, 30, 5);  // the host's hint keeps its blanks
    EXPECT_EQ(set.ItemText(0), DataBytes("own_item_channels.ref"));
    EXPECT_EQ(std::vector<int>({item->ChannelUsed(0), item->ChannelUsed(3), item->ChannelUsed(14)}),
              std::vector<int>({1, 0, 0}));
    EXPECT_EQ(item->ChannelMirror(13), "130V");

    channels.assign(25, "x");
    set.SetChannelTable(0, channels, "", 0, 0, 0);
    EXPECT_EQ(std::pair(item->Channel(20), item->ChannelUsed(20)), std::pair(std::string("x"), 1));
}

// The written fields are checked by the reference text; these are the derived ones.
TEST_F(OwnItem, DerivesItsFields) {
    // Past the count nothing is read; channel keys are never read.
    const Record actual = {{"kind", Str(item->Kind())},
                           {"parameters", Str(item->ParameterCount())},
                           {"property 1", Str(item->Property(1))},
                           {"title", item->Title()},
                           {"name 1", item->Name(1)},
                           {"value 1", item->Value(1)},
                           {"require 1", item->Require(1)},
                           {"name 2", item->Name(2)},
                           {"require 2", item->Require(2)},
                           {"name 4", item->Name(4)},
                           {"channel 0", item->Channel(0)}};
    const Record expected = {
        {"kind", "12"},          {"parameters", "2"},
        {"property 1", "3"},     {"title", " "},
        {"name 1", "Trip time"}, {"value 1", "Z1.T+0.02"},
        {"require 1", "<=0.05"}, {"name 2", "\xB6\xAF\xD7\xF7\xCA\xB1\xBC\xE4"},
        {"require 2", " "},      {"name 4", ""},
        {"channel 0", ""}};
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(set.BlockCopy(0).find_first_of("\r\n\t"), std::string::npos);
}

TEST_F(OwnItem, RefreshFollowsChangedKeyStrings) {
    item->SetKeyString(CTestItem::NameIndex(3), "Third");
    set.RefreshItems();
    EXPECT_EQ(std::tuple(item->ParameterCount(), item->Property(4), item->Name(3), item->Value(3)),
              std::tuple(4, 7, "Third", "unused"));
    EXPECT_NE(set.ItemText(0).find("\tNAME3=Third;\r\n"), std::string::npos);

    item->SetKeyString(CTestItem::NameIndex(2), "");
    set.RefreshItems();
    EXPECT_EQ(std::tuple(item->ParameterCount(), item->Property(4), item->Name(2)),
              std::tuple(1, 0, ""));
}

TEST(TestItemSet, OwnershipAndParameterCount) {
    for (const auto& c : DataCases("item_blocks.txt")) {
        SCOPED_TRACE(c.at(0));
        CTestItemSet set;
        set.ReadBlocks(Block(c[0]));
        ASSERT_EQ(set.Count(), 1);
        const CTestItem& item = *set.Item(0);
        const bool own = c.at(1) != "0";
        EXPECT_EQ(std::tuple(FormatInt(item.Kind()) + item.TestName(),
                             FormatInt(item.ParameterCount()), set.ItemText(0).empty()),
                  std::tuple(c[1], c.at(2), !own));
        if (!own) {
            EXPECT_EQ(std::pair(item.Select(), set.SpliceItemTexts()), std::pair(0, Block(c[0])));
        }
    }
}

TEST(TestItemSet, ForeignItemsKeepTheirHintAndIntegersOnly) {
    CTestItemSet set;
    set.ReadBlocks(
        Block("TestComName2=Other.Com;HINT=a b  c;HINTSELECT=3;PAUSE=12abc;"
              "HINTSETTING=x;TESTNAME=T;NAME1=n;SELECT=1;ITE_TASKTYPE=9;BOOKMARK=F;"));
    const CTestItem& item = *set.Item(0);
    EXPECT_EQ(CFormat("%s|%s|%d %d %d %d", item.Hint().c_str(), item.KeyString(1).c_str(),
                      item.HintSelect(), item.Pause(), item.HintSetting(), item.TaskType()),
              "abc||3 12 0 0");
    EXPECT_EQ(set.Bookmark(), "TEXT");
}

TEST(TestItemSet, BookmarkComesFromTheFirstOwnBlockThatHasOne) {
    for (const auto& c : DataCases("bookmarks.txt")) {
        std::string text;
        for (size_t i = 1; i < c.size(); ++i)
            text += Block(c[i]);
        CTestItemSet set;
        set.ReadBlocks(text);
        EXPECT_EQ(set.Bookmark(), c.at(0)) << text;
        for (int i = 0; i < set.Count(); ++i) {
            if (!set.Item(i)->IsOwn()) continue;
            EXPECT_NE(set.ItemText(i).find("\tBOOKMARK=" + c[0] + ";\r\n"), std::string::npos);
        }
    }
}

TEST(TestItemSet, ALaterReadKeepsTheBookmark) {
    CTestItemSet set;
    set.ReadBlocks(Block("TestComName2=Quorin.QuorinCom;BOOKMARK=A;"));
    set.ReadBlocks(Block("TestComName2=Quorin.QuorinCom;BOOKMARK=B;"));
    const std::string kept = set.Bookmark();
    set.SetBookmark("");
    set.ReadBlocks(Block("TestComName2=Quorin.QuorinCom;BOOKMARK=B;"));
    EXPECT_EQ(std::tuple(kept, set.Bookmark()), std::tuple("A", "B"));
}

// Foreign blocks (CR, LF, TAB, GBK, a foreign name that mentions ours, free text) come back byte
// for byte between the rewritten own ones; what lies outside the blocks is not theirs.
TEST(TestItemSet, SpliceKeepsForeignBlocksByteForByteAndRewritesOwnOnes) {
    CTestItemSet set;
    set.ReadBlocks(DataBytes("splice.txt"));
    ASSERT_EQ(set.Count(), 5);
    EXPECT_EQ(set.ItemText(0) + set.ItemText(2) + set.ItemText(4), "");
    const std::string expected = DataBytes("splice.ref");
    ASSERT_FALSE(expected.empty());
    // Splicing again gives the same text.
    EXPECT_EQ(std::tuple(set.SpliceItemTexts(), set.BlockText(), set.SpliceItemTexts()),
              std::tuple(expected, expected, expected));
}

// Without a whole block there are no items, and the calls on items do nothing.
TEST(TestItemSet, ReadingStopsAtABlockWithoutEndMarker) {
    for (const auto& c : DataCases("block_reading.txt")) {
        const std::string& text = c.at(0);
        const std::vector<std::string> copies(c.begin() + 1, c.end());
        CTestItemSet set;
        set.ReadBlocks(text);
        ASSERT_EQ(set.Count(), static_cast<int>(copies.size())) << text;
        for (size_t i = 0; i < copies.size(); ++i)
            EXPECT_EQ(set.BlockCopy(static_cast<int>(i)), copies[i]) << text;
        EXPECT_EQ(set.BlockCopy(set.Count()), "");
        if (!copies.empty()) continue;
        EXPECT_EQ(set.Bookmark(), "TEXT");
        EXPECT_EQ(std::pair(set.Current(), set.Select(0)), (std::pair<CTestItem*, CTestItem*>()));
        set.SetItemText(0, "x");
        set.SetSelect(0, 1);
        EXPECT_EQ(std::tuple(set.ItemText(0), set.SpliceItemTexts(), set.BlockText()),
                  std::tuple("", "", ""))
            << text;
    }
}

TEST(TestItemSet, ReadingReplacesTheItemsAndSelectNeedsAnExistingItem) {
    CTestItemSet set;
    set.ReadBlocks(Block("a=1") + Block("b=2") + Block("c=3"));
    EXPECT_EQ(set.Current(), set.Item(2));  // the last item read
    EXPECT_EQ(set.Select(0), set.Item(0));
    EXPECT_EQ(std::tuple(set.Select(3), set.Select(-1), set.Current()),
              std::tuple(nullptr, nullptr, set.Item(0)));
    set.ReadBlocks(Block("d=4"));
    EXPECT_EQ(std::pair(set.Current(), set.BlockText()), std::pair(set.Item(0), Block("d=4")));
    set.ReadBlocks("");
    EXPECT_EQ(set.Current(), nullptr);
}

// A host's item text replaces an own block (not a foreign one) until any host setter rebuilds
// the texts from the items, even one given a missing item.
TEST(TestItemSet, SetItemTextHoldsUntilAHostSetterRebuilds) {
    const std::string foreign = Block("TestComName2=X;HINT=h;");
    CTestItemSet set;
    set.ReadBlocks(Block("TestComName2=Quorin.QuorinCom;SELECT=1;HINT=h i;") + foreign);
    const std::string written = set.ItemText(0);
    const std::string typed = "TestComName2=Quorin.QuorinCom;\r\n\tHINT=typed;\r\n";
    set.SetItemText(0, typed);
    for (int other : {1, 2, -1})
        set.SetItemText(other, "ignored");
    EXPECT_EQ(set.BlockText(), Block(typed) + foreign);
    EXPECT_EQ(set.Item(0)->Hint(), "hi");
    set.SetSelect(5, 1);
    EXPECT_EQ(set.ItemText(0), written);
    EXPECT_EQ(set.SpliceItemTexts(), Block(written) + foreign);

    set.SetItemText(0, typed);
    set.SetChannelTable(4, {"1", "2"}, "other", 1, 2, 3);
    EXPECT_EQ(set.ItemText(0), written);
    set.SetSelect(0, 7);
    EXPECT_EQ(set.Current(), set.Item(0));
    EXPECT_NE(set.ItemText(0).find("\tSELECT=7;\r\n"), std::string::npos);
    set.SetSelect(1, 3);  // a foreign item takes the flag but is never written
    EXPECT_EQ(std::pair(set.Item(1)->Select(), set.ItemText(1)), std::pair(3, std::string()));
}

// Sixty items, every fourth a foreign block with a tab, a lone LF and GBK bytes, the others
// own items with 0 to 15 named parameters: the tables grow past 50 and nothing changes on the
// way back.
TEST(TestItemSet, SixtyItemsReadBackToTheSameItems) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        if (i % 4 == 3) {
            text +=
                Block(CFormat("TestComName2=Vendor.Module%d;\r\n\tHINT=Foreign \xB2\xE2\xCA\xD4 %d;"
                              "\r\n\tPARAM=a\tb;NOTE=not Quorin.QuorinCom;\n",
                              i % 3, i));
            continue;
        }
        std::string inner = CFormat("TestComName2=Quorin.QuorinCom;\r\n\tTESTNAME=Item %d;\r\n", i);
        for (int k = 1; k <= CTestItem::kParameterCount; ++k) {
            const std::string name = k <= i % 16 ? CFormat("P%d.%d", i, k) : "";
            inner += CFormat("\tNAME%d=%s;\tVALUE%d=Z%d.R*%d;\tPROPERTY%d=%d;\tREQUIRE%d=<%d;\r\n",
                             k, name.c_str(), k, k, i, k, (i + k) % 9, k, k);
        }
        text += Block(inner + CFormat("\tBOOKMARK=BM;\tSELECT=%d;\tPAUSE=%d;\r\n", i % 2, i * 10));
    }
    CTestItemSet first;
    first.ReadBlocks(text);
    ASSERT_EQ(first.Count(), 60);
    const std::string spliced = first.SpliceItemTexts();
    CTestItemSet second;
    second.ReadBlocks(spliced);
    ASSERT_EQ(second.Count(), 60);
    EXPECT_EQ(second.Bookmark(), "BM");
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(std::tuple(second.Item(i)->IsOwn(), second.Item(i)->ParameterCount(),
                             second.Item(i)->WriteText("BM"), second.ItemText(i)),
                  std::tuple(i % 4 != 3, i % 4 == 3 ? 0 : i % 16, first.Item(i)->WriteText("BM"),
                             first.ItemText(i)))
            << i;
    EXPECT_EQ(second.Item(58)->Value(5), "Z5.R*58");
    EXPECT_EQ(second.SpliceItemTexts(), spliced);
}

}  // namespace
}  // namespace quorin
