#include "cli/cmd_report.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "report/report_xml.h"
#include "tests/cli/run_program.h"

namespace quorin::cli {
namespace {

using test::ReadBytes;
using test::RunQuorin;
using test::ScratchFolder;
namespace fs = std::filesystem;

const std::string kSample = std::string(QUORIN_SOURCE_DIR) + "/samples/distance_relay.seq";

std::vector<CReportItem> Import(const std::string& path) {
    std::vector<CReportItem> items;
    std::string error;
    EXPECT_TRUE(ImportXml(path, items, &error)) << error;
    return items;
}

// Imported texts keep "$" for blanks; compare them as UTF-8 with blanks.
std::string Text(const std::string& stored) {
    return AnsiToUtf8(DollarsToBlanks(stored));
}

// The /Count of the page tree's root.
int PdfPageCount(const std::string& pdf) {
    const size_t pages = pdf.find("/Type /Pages");
    if (pages == std::string::npos) return -1;
    const size_t count = pdf.find("/Count ", pages);
    return count == std::string::npos ? -1 : std::atoi(pdf.c_str() + count + 7);
}

TEST(ReportCommand, SequenceReportHoldsHeadComponentTableTemplateItemAndClosing) {
    ScratchFolder dir;
    const auto run = RunQuorin({"report", kSample, "--xml", dir / "r.xml"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "wrote " + (dir / "r.xml") + " (4 items)\n");
    EXPECT_EQ(run.err, "");

    const std::vector<CReportItem> items = Import(dir / "r.xml");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(Text(items[0].title), "Test Report");
    EXPECT_EQ(Text(items[1].title), "1.  Test Object - QDR-300 线路距离保护");
    EXPECT_EQ(Text(items[2].title), "2.  Relay settings and characteristic - QDR-300 线路距离保护");
    EXPECT_EQ(Text(items[3].title), "End of report");

    // The component's table: a heading row, then every named parameter of both own items.
    ASSERT_EQ(items[1].tables.size(), 1u);
    const CReportTable& table = items[1].tables[0];
    ASSERT_EQ(table.colCount, 3);
    ASSERT_EQ(table.rowCount, 10);
    const std::vector<std::vector<std::string>> expected = {
        {"Name", "Testing Method", "Measure"},
        {"Z1 reactive reach (Ω)", "Z1X", " "},
        {"Z2 reactive reach (Ω)", "Z2X", " "},
        {"Z3 reactive reach (Ω)", "Z3X", " "},
        {"Z1 operating time (s)", "T1+0.03", " "},
        {"Z2 operating time (s)", "T2+0.03", " "},
        {"外观检查", "外壳无损伤，铭牌清晰", "Pass"},
        {"接线检查", "端子紧固，接线正确", " "},
        {"Insulation resistance (MΩ)", ">= 100 MΩ at 500 V DC", " "},
        {"Power supply check", "Relay starts at 80 % of rated DC voltage", " "}};
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(Text(table.CellText(r, c)), expected[size_t(r)][size_t(c)]) << r << "," << c;

    // The template item: common parameters, settings, zones, binary inputs and the plot.
    const CReportItem& t = items[2];
    EXPECT_EQ(t.testParaLines.size(), 7u);
    ASSERT_EQ(t.setLines.size(), 24u);
    EXPECT_EQ(Text(t.setLines[0]), "线路阻抗角: 75.0 °");
    EXPECT_EQ(Text(t.setLines[22]), "Earth factor form: KL");
    EXPECT_EQ(Text(t.setLines[23]), "距离保护投入: 投入");
    EXPECT_EQ(Text(t.testParaLines[6]), "Use CB simulation: No");
    ASSERT_EQ(t.tables.size(), 2u);
    EXPECT_EQ(t.tables[0].rowCount, 10);  // heading and 9 zones
    EXPECT_EQ(Text(t.tables[0].CellText(8, 0)), "Z5 reverse");
    EXPECT_EQ(Text(t.tables[0].CellText(8, 4)), "Reverse");
    EXPECT_EQ(Text(t.tables[0].CellText(6, 3)), "1 arc, 3 lines");
    // The plot has no labels: the table names each zone's line.
    EXPECT_EQ(Text(t.tables[0].CellText(1, 5)), "red, solid");
    EXPECT_EQ(Text(t.tables[0].CellText(2, 5)), "red, dashed");
    EXPECT_EQ(Text(t.tables[0].CellText(8, 5)), "purple, solid");
    EXPECT_EQ(t.tables[1].rowCount, 7);  // heading and 6 binary inputs
    EXPECT_EQ(Text(t.tables[1].CellText(4, 2)), "Not used");
    ASSERT_EQ(t.graphs.size(), 1u);
    EXPECT_EQ(t.graphs[0].picName, "RX");
    EXPECT_FALSE(t.graphs[0].lines.empty());
    EXPECT_FALSE(t.graphs[0].circles.empty());
}

TEST(ReportCommand, ChapterNumbersTheTestsAndSettingsTitleTheHeadOfASequenceFromStandardInput) {
    ScratchFolder dir;
    std::ofstream(dir / "r.ini") << "[ReportSetting]\r\nReportTitle=Commissioning of line 7\r\n";
    const auto run = RunQuorin(
        {"report", "-", "--chapter", "4", "--settings", dir / "r.ini", "--xml", dir / "r.xml"},
        ReadBytes(kSample));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<CReportItem> items = Import(dir / "r.xml");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(Text(items[0].title), "Commissioning of line 7");
    EXPECT_EQ(Text(items[1].title), "5.  Test Object - QDR-300 线路距离保护");
    EXPECT_EQ(Text(items[2].title), "6.  Relay settings and characteristic - QDR-300 线路距离保护");
}

TEST(ReportCommand, WritesPdfAndPngPagesOfTheSameLayout) {
    ScratchFolder dir;
    const auto run =
        RunQuorin({"report", kSample, "--pdf", dir / "r.pdf", "--png-dir", dir / "pages"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = ReadBytes(dir / "r.pdf");
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    // Head with the first table rows, the rest of the table, the template item, its plot.
    EXPECT_EQ(PdfPageCount(pdf), 4);
    std::string expected = "wrote " + (dir / "r.pdf") + " (4 pages)\n";
    for (int p = 1; p <= 4; ++p) {
        const std::string page = dir / ("pages/page-00" + std::to_string(p) + ".png");
        expected += "wrote " + page + "\n";
        const QImage image(QString::fromStdString(page));
        EXPECT_EQ(image.size(), QSize(1000, 1200)) << page;
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_FALSE(fs::exists(dir / "pages/page-005.png"));
}

TEST(ReportCommand, ImportedReportRendersAndShowsProgressWhenAsked) {
    ScratchFolder dir;
    std::vector<CReportItem> items(22);
    items.front().title = "Head";
    for (size_t i = 1; i + 1 < items.size(); ++i)
        items[i].title = std::to_string(i) + ". Test";
    items.back().title = "End";
    std::string error;
    ASSERT_TRUE(ExportXml(items, dir / "in.xml", &error)) << error;

    const auto run = RunQuorin({"report", "--import", dir / "in.xml", "--pdf", dir / "r.pdf",
                                "--xml", dir / "r.xml", "--progress"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PdfPageCount(ReadBytes(dir / "r.pdf")) > 0, true);
    EXPECT_EQ(Import(dir / "r.xml").size(), 22u);
    // One bar for the PDF, redrawn in place and ended once all items are painted.
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.front(), '\r');
    const std::string last = "\r[##########] 22/22 items\n";
    ASSERT_GE(run.err.size(), last.size());
    EXPECT_EQ(run.err.substr(run.err.size() - last.size()), last);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);

    // Without --progress and not on a terminal: no bar.
    const auto quiet = RunQuorin({"report", "--import", dir / "in.xml", "--pdf", dir / "q.pdf"});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
}

}  // namespace
}  // namespace quorin::cli
