#include "frontend/component_host.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/codepage.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/cli/run_program.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

using test::kSample;

TEST(ItemParameters, ReadsNamedParametersUpToTheFirstBlankName) {
    const std::string text =
        "TestComName2=Quorin.QuorinCom;\r\n\tTESTNAME=t;\r\n"
        "\tNAME1=Reach;\r\n\tVALUE1=4.1;\r\n\tREQUIRE1=Z1X;\r\n"
        "\tNAME2=Time;\r\n\tVALUE2=;\r\n\tREQUIRE2=T1+\t0.03;\r\n"
        "\tNAME3=;\r\n\tNAME4=after the gap;\r\n";
    const std::vector<ItemParameter> p = ItemParameters(text);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(std::tuple(p[0].number, p[0].name, p[0].value, p[0].require),
              std::tuple(1, "Reach", "4.1", "Z1X"));
    EXPECT_EQ(p[1].value, " ");  // an empty value reads as one blank, as the component reads it
    EXPECT_EQ(p[1].require, "T1+0.03");
    EXPECT_TRUE(ItemParameters("").empty());
}

TEST(ReplaceItemKey, ReplacesTheWholeValueOfExactlyThatKey) {
    for (const auto& c : test::DataCases("replace_item_key.txt"))
        EXPECT_EQ(ReplaceItemKey(c.at(0), c.at(1), c.at(2)), c.at(3)) << c[1];
}

class SampleHost : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.Create(&error)) << error;
        host.Load(test::FileBytes(kSample));
    }
    ComponentHost host;
};

// What the host reads of the sample shows in the demo command's output; here the host's own
// handling of indexes past the items and of the report table it copies.
TEST_F(SampleHost, IndexesPastTheItemsAndComposedCopies) {
    EXPECT_EQ(host.ItemCount(), 3);
    EXPECT_FALSE(host.IsOwnItem(1) || host.IsOwnItem(3) || host.IsOwnItem(-1));
    EXPECT_EQ(host.ItemText(1) + host.ItemText(7), "");
    EXPECT_EQ(host.EvaluatedParameters(0).size(), 60u);
    EXPECT_TRUE(host.EvaluatedParameters(7).empty());
    std::vector<CReportItem> items = host.ComposeReportItems(2);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(AnsiToUtf8(items[0].title), "3.  Test Object - QDR-300 线路距离保护");
    items[0].title = "changed";
    EXPECT_EQ(AnsiToUtf8(host.ComposeReportItems(0).at(0).title),
              "1.  Test Object - QDR-300 线路距离保护");
}

}  // namespace
}  // namespace quorin::cli
