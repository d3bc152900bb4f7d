#include "report/render/report_output.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "platform/files.h"
#include "report/render/report.h"
#include "tests/common/temp_dir.h"
#include "tests/report_render/report_fixture.h"

namespace quorin::test {
namespace {

std::vector<CReportItem> ThreePageReport() {
    CReportItem first = Item("First");
    first.tables.push_back(MakeTable(50, 3));  // continues on page 2
    first.result = "10";
    return {Item("Head"), first, Item("Second"), Item("End")};
}

TEST(ReportOutput, PngPagesAreWholeScreenPagesWithFrameAndNumber) {
    TempDir folder("png");
    std::vector<std::string> written;
    std::string error;
    std::vector<std::pair<int, int>> told;
    ASSERT_TRUE(RenderReportPngs(ThreePageReport(), BareHead(), {}, folder.file("pages"), &written,
                                 &error,
                                 [&told](int done, int total) {
                                     told.push_back({done, total});
                                 }))
        << error;
    const std::string pages = folder.file("pages");
    EXPECT_EQ(written, (std::vector<std::string>{pages + "/page-001.png", pages + "/page-002.png",
                                                 pages + "/page-003.png"}));
    for (const std::string& path : written) {
        QImage page(QString::fromStdString(path));
        EXPECT_EQ(page.size(), QSize(1000, 1200)) << path;
        EXPECT_EQ(page.pixelColor(500, 600).lightness(), 255) << path;  // white paper
        EXPECT_EQ(page.pixelColor(0, 600), QColor(0x80, 0x80, 0x80)) << path;
        // The page number is dark ink near the foot, centred.
        bool ink = false;
        for (int i = 0; i < 400 && !ink; ++i)
            ink = page.pixelColor(490 + i % 20, 1140 + i / 20).lightness() < 128;
        EXPECT_TRUE(ink) << path;
    }
    // Progress: items done as their last page is painted, ending with (total, total).
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), std::make_pair(4, 4));
    for (size_t i = 1; i < told.size(); ++i)
        EXPECT_LT(told[i - 1].first, told[i].first);
}

TEST(ReportOutput, PdfHasOneA4PagePerReportPage) {
    TempDir folder("pdf");
    const std::string path = folder.file("report.pdf");
    std::string error, bytes;
    CReport report(BareHead());
    report.SetItems(ThreePageReport());
    ASSERT_TRUE(RenderReportPdf(report, path, &error)) << error;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_NE(bytes.find("/MediaBox [0 0 595"), std::string::npos);
    EXPECT_EQ(PdfPageCount(bytes), 3);
    EXPECT_EQ(report.PageCount(), 3);
    // Laid out at printer scale: 1000 units fill A4's 9921 pixels across at 1200 dpi.
    ASSERT_NE(TextEntry(report, "First"), nullptr);
    EXPECT_EQ(TextEntry(report, "First")->height, 198);  // 20 x 9.921
    EXPECT_FALSE(report.Printing());                     // the scale mode is restored
}

TEST(ReportOutput, FailuresLeaveNoFileAndSayWhy) {
    TempDir folder("fail");
    std::string error;
    const std::string pdf = folder.file("missing/dir/report.pdf");
    EXPECT_FALSE(RenderReportPdf(ThreePageReport(), BareHead(), {}, pdf, &error));
    EXPECT_EQ(error, "cannot write " + pdf);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    ASSERT_TRUE(WriteFileAtomic(folder.file("file"), "x"));
    std::vector<std::string> written;
    EXPECT_FALSE(
        RenderReportPngs(ThreePageReport(), BareHead(), {}, folder.file("file"), &written, &error));
    EXPECT_EQ(error, "cannot create folder " + folder.file("file"));
    EXPECT_TRUE(written.empty());

    // An existing PDF survives a failed write (root ignores the folder's modes).
    const std::string keep = folder.file("keep.pdf");
    ASSERT_TRUE(WriteFileAtomic(keep, "old"));
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (WriteFileAtomic(folder.file("probe"), "x")) return;
    EXPECT_FALSE(RenderReportPdf(ThreePageReport(), BareHead(), {}, keep, &error));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(keep, bytes));
    EXPECT_EQ(bytes, "old");
}

}  // namespace
}  // namespace quorin::test
