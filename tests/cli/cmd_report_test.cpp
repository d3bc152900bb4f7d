#include "cli/cmd_report.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "report/render/report.h"
#include "report/report_xml.h"
#include "tests/cli/run_program.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

using test::FileBytes;
using test::Ran;
using test::RunQuorin;
using test::ScratchFolder;
namespace fs = std::filesystem;

using test::kSample;

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

// Head, the component's table (every named parameter of both own items), the template item
// (parameters, settings, zones with their line styles, binary inputs, the plot) and the closing.
TEST(ReportCommand, SequenceReportIsTheReferenceXml) {
    ScratchFolder dir;
    EXPECT_EQ(RunQuorin({"report", kSample, "--xml", dir / "r.xml"}),
              Ran("wrote " + (dir / "r.xml") + " (4 items)\n"));
    EXPECT_EQ(FileBytes(dir / "r.xml"), test::DataBytes("sample_report.ref"));
}

TEST(ReportCommand, ChapterNumbersTheTestsAndSettingsTitleTheHeadOfASequenceFromStandardInput) {
    ScratchFolder dir;
    std::ofstream(dir / "r.ini") << "[ReportSetting]\r\nReportTitle=Commissioning of line 7\r\n";
    EXPECT_EQ(RunQuorin({"report", "-", "--chapter", "4", "--settings", dir / "r.ini", "--xml",
                         dir / "r.xml"},
                        FileBytes(kSample)),
              Ran("wrote " + (dir / "r.xml") + " (4 items)\n"));
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
    const std::string pdf = FileBytes(dir / "r.pdf");
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
    EXPECT_EQ(run, Ran(expected));
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
    EXPECT_GT(PdfPageCount(FileBytes(dir / "r.pdf")), 0);
    EXPECT_EQ(Import(dir / "r.xml").size(), 22u);
    // One bar for the PDF, redrawn in place and ended once all items are painted.
    const std::string last = "\r[##########] 22/22 items\n";
    EXPECT_EQ(run.err.substr(0, 1) + run.err.substr(run.err.find('\n') + 1 - last.size()),
              "\r" + last);

    // Without --progress and not on a terminal: no bar.
    const auto quiet = RunQuorin({"report", "--import", dir / "in.xml", "--pdf", dir / "q.pdf"});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
}

// The drawn report marks the columns past its capacity; the command says so on stderr, and the
// XML keeps them all.
TEST(ReportCommand, WarnsOfWhatTheDrawnReportLeavesOut) {
    ScratchFolder dir;
    std::vector<CReportItem> items(3);
    items[1].title = "Wide";
    CReportTable& table = items[1].tables.emplace_back(2, CReport::kMaxTableColumns + 3);
    for (int c = 0; c < table.colCount; ++c)
        table.AddColumn(CReportColumn(table.rowCount, c, 100));
    std::string error;
    ASSERT_TRUE(ExportXml(items, dir / "in.xml", &error)) << error;
    const auto run = RunQuorin(
        {"report", "--import", dir / "in.xml", "--pdf", dir / "r.pdf", "--xml", dir / "r.xml"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "quorin report: warning: \"Wide\", table 1: 3 more columns not shown\n");
    EXPECT_EQ(Import(dir / "r.xml").at(1).tables.at(0).columns.size(),
              size_t{CReport::kMaxTableColumns + 3});
}

}  // namespace
}  // namespace quorin::cli
