#include "report/render/header_tables.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

// The data file lists each table (title, rows x columns, width, column widths) and its cells
// row by row: each group's labels and values fill the left pair of columns, then the right pair.
TEST(HeaderTables, LabelsPairWithTheirValuesByPositionUnderTheGroupTitles) {
    CReportSetting setting;
    for (int i = 0; i < CReportSetting::kHeaderCount; ++i)
        setting.SetHeader(static_cast<HeaderValue>(i), "h" + FormatInt(i));
    for (int i = 0; i < CReportSetting::kRunningCount; ++i)
        setting.SetRunning(static_cast<RunningValue>(i), "r" + FormatInt(i));
    setting.SetHeader(HeaderValue::kTester, "A$B");  // typed values keep their "$"
    std::string transcript;
    for (const CReportTable& t : BuildHeaderTables(setting)) {
        transcript += "\"" + t.title + "\" " + FormatInt(t.rowCount) + "x" + FormatInt(t.colCount) +
                      " width " + FormatInt(t.width) + ":";
        for (const CReportColumn& column : t.columns)
            transcript += " " + FormatInt(column.width);
        for (int r = 0; r < t.rowCount; ++r) {
            transcript += "\n";
            for (int c = 0; c < t.colCount; ++c)
                transcript += (c ? " \"" : "\"") + t.CellText(r, c) + "\"";
        }
        transcript += "\n";
    }
    EXPECT_EQ(transcript, test::DataBytes("header_tables.ref"));
}

}  // namespace
}  // namespace quorin
