#include "cli/component_host.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/files.h"
#include "template/relay_template.h"

namespace quorin::cli {
namespace {

const std::string kSample = std::string(QUORIN_SOURCE_DIR) + "/samples/distance_relay.seq";

TEST(ItemParameters, ReadsNamedParametersUpToTheFirstBlankName) {
    const std::string text =
        "TestComName2=Quorin.QuorinCom;\r\n\tTESTNAME=t;\r\n"
        "\tNAME1=Reach;\r\n\tVALUE1=4.1;\r\n\tREQUIRE1=Z1X;\r\n"
        "\tNAME2=Time;\r\n\tVALUE2=;\r\n\tREQUIRE2=T1+\t0.03;\r\n"
        "\tNAME3=  ;\r\n\tNAME4=after the gap;\r\n";
    const std::vector<ItemParameter> p = ItemParameters(text);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].number, 1);
    EXPECT_EQ(p[0].name, "Reach");
    EXPECT_EQ(p[0].value, "4.1");
    EXPECT_EQ(p[0].require, "Z1X");
    EXPECT_EQ(p[1].value, " ");  // an empty value reads as one blank, as the component reads it
    EXPECT_EQ(p[1].require, "T1+0.03");
    EXPECT_TRUE(ItemParameters("").empty());
}

TEST(ReplaceItemKey, ReplacesTheWholeValueOfExactlyThatKey) {
    struct Case {
        std::string text, key, value, expected;
    };
    const std::vector<Case> cases = {
        {"\tVALUE1= ;\r\n\tVALUE10=x;\r\n", "VALUE1", "4.000",
         "\tVALUE1=4.000;\r\n\tVALUE10=x;\r\n"},
        {"\tVALUE1= ;\r\n\tVALUE10=x;\r\n", "VALUE10", "", "\tVALUE1= ;\r\n\tVALUE10=;\r\n"},
        {"\tNAME1=a;\r\n", "VALUE1", "1", "\tNAME1=a;\r\n"},
        {"\tVALUE1=open", "VALUE1", "2", "\tVALUE1=2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceItemKey(c.text, c.key, c.value), c.expected) << c.key;
}

class SampleHost : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.Create(&error)) << error;
        std::string sample;
        ASSERT_TRUE(ReadFileBytes(kSample, sample));
        host.Load(sample);
    }
    ComponentHost host;
};

TEST_F(SampleHost, SeesTheItemsAndTheTemplateThroughTheInterfaces) {
    EXPECT_EQ(host.ItemCount(), 3);
    EXPECT_TRUE(host.IsOwnItem(0));
    EXPECT_FALSE(host.IsOwnItem(1));
    EXPECT_TRUE(host.IsOwnItem(2));
    EXPECT_FALSE(host.IsOwnItem(3));
    EXPECT_EQ(host.ItemText(1), "");
    ASSERT_NE(host.Template(), nullptr);
    EXPECT_EQ(AnsiToUtf8(host.Template()->ProtectiveRelayName()), "QDR-300 线路距离保护");

    const std::vector<std::string> values = host.EvaluatedParameters(0);
    ASSERT_EQ(values.size(), 60u);
    EXPECT_EQ(values[3], "4.000");   // REQUIRE1 = Z1X
    EXPECT_EQ(values[19], "0.330");  // REQUIRE5 = T2+0.03
    EXPECT_TRUE(host.EvaluatedParameters(7).empty());
}

TEST_F(SampleHost, ComposedItemsAreCopiesTitledByChapter) {
    std::vector<CReportItem> items = host.ComposeReportItems(2);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(AnsiToUtf8(items[0].title), "3.  Test Object - QDR-300 线路距离保护");
    items[0].title = "changed";
    // The component's own table is untouched by changes to the copies.
    EXPECT_EQ(AnsiToUtf8(host.ComposeReportItems(0).at(0).title),
              "1.  Test Object - QDR-300 线路距离保护");
}

TEST_F(SampleHost, SetItemTextCarriesIntoTheStoredItems) {
    const std::string text = host.ItemText(0);
    host.SetItemText(0, ReplaceItemKey(text, "VALUE1", "4.02"));
    const std::string stored = host.Edit()->GetTestItemsText();
    EXPECT_NE(stored.find("\tVALUE1=4.02;\r\n"), std::string::npos);
    // The item record is not changed until the stored text is loaded again.
    EXPECT_EQ(host.ResultData().find("DIST_1_RESULT=4.02;"), std::string::npos);
}

}  // namespace
}  // namespace quorin::cli
