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
    struct Cell {
        int table, row, column;
        const char* text;
    };
    const Cell cells[] = {
        {0, 0, 0, "Report Title: "},
        {0, 0, 1, "h0"},
        {0, 2, 0, "Station Address: "},
        {0, 2, 1, "h2"},
        {0, 0, 2, "Bay Name: "},
        {0, 0, 3, "h3"},
        {0, 2, 2, "Tester: "},
        {0, 2, 3, "A$B"},
        {1, 0, 0, "Device Name: "},
        {1, 0, 1, "h6"},
        {1, 3, 0, "Manufacturer: "},
        {1, 3, 1, "h9"},
        {1, 0, 2, "Serial Number: "},
        {1, 0, 3, "h10"},
        {1, 2, 2, "Additional Info: "},
        {1, 2, 3, "h12"},
        {1, 3, 2, ""},
        {1, 3, 3, ""},
        {2, 0, 0, "Vnom: "},
        {2, 0, 1, "r0"},
        {2, 2, 3, "r6"},
        {2, 2, 2, "Debounce Time: "},
        {3, 0, 0, "Type: "},
        {3, 0, 1, "r7"},
        {3, 1, 2, "Test Start: "},
        {3, 1, 3, "r12"},
        {3, 2, 2, "Test End: "},
        {3, 2, 3, "r13"},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(tables[c.table].CellText(c.row, c.column), c.text)
            << c.table << " " << c.row << " " << c.column;
}

}  // namespace
}  // namespace quorin
