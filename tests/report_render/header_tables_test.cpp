#include "report/render/header_tables.h"

#include <gtest/gtest.h>

namespace quorin {
namespace {

TEST(HeaderTables, LabelsPairWithTheirValuesByPositionUnderTheGroupTitles) {
    CReportSetting setting;
    for (int i = 0; i < CReportSetting::kHeaderCount; ++i)
        setting.SetHeader(static_cast<HeaderValue>(i), "h" + std::to_string(i));
    for (int i = 0; i < CReportSetting::kRunningCount; ++i)
        setting.SetRunning(static_cast<RunningValue>(i), "r" + std::to_string(i));
    setting.SetHeader(HeaderValue::kTester, "A$B");  // typed values keep their "$"

    std::vector<CReportTable> tables = BuildHeaderTables(setting);
    ASSERT_EQ(tables.size(), 4u);
    const char* titles[] = {"Station/Bay Information: ", "Device Information: ", "Nominal Values: ",
                            "Test Equipment Information: "};
    const int rows[] = {3, 4, 4, 4};
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(tables[t].title, titles[t]);
        EXPECT_EQ(tables[t].rowCount, rows[t]);
        EXPECT_EQ(tables[t].colCount, 4);
        EXPECT_EQ(tables[t].width, 840);
        ASSERT_EQ(tables[t].columns.size(), 4u);
        EXPECT_EQ(tables[t].columns[0].width, kHeaderLabelWidth);
        EXPECT_EQ(tables[t].columns[1].width, kHeaderValueWidth);
    }
    // Each group's labels and values fill the left pair of columns, then the right pair.
    using Row = std::vector<std::string>;
    const std::vector<Row> cells[] = {
        {{"Report Title: ", "h0", "Bay Name: ", "h3"},
         {"Station Name: ", "h1", "Bay Address: ", "h4"},
         {"Station Address: ", "h2", "Tester: ", "A$B"}},
        {{"Device Name: ", "h6", "Serial Number: ", "h10"},
         {"Device Model: ", "h7", "Setting List Number: ", "h11"},
         {"Device Address: ", "h8", "Additional Info: ", "h12"},
         {"Manufacturer: ", "h9", "", ""}},
        {{"Vnom: ", "r0", "V Primary: ", "r4"},
         {"Inom: ", "r1", "I Primary: ", "r5"},
         {"Fnom: ", "r2", "Debounce Time: ", "r6"},
         {"Vdc: ", "r3", "", ""}},
        {{"Type: ", "r7", "Imax: ", "r11"},
         {"Serial Number: ", "r8", "Test Start: ", "r12"},
         {"CommunicationPort: ", "r9", "Test End: ", "r13"},
         {"Vmax: ", "r10", "", ""}},
    };
    for (int t = 0; t < 4; ++t) {
        for (int r = 0; r < rows[t]; ++r) {
            Row row;
            for (int c = 0; c < 4; ++c)
                row.push_back(tables[t].CellText(r, c));
            EXPECT_EQ(row, cells[t][r]) << t << " " << r;
        }
    }
}

}  // namespace
}  // namespace quorin
