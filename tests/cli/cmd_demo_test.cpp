#include "cli/cmd_demo.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

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

struct Parts {
    std::string before;               // up to the first block
    std::vector<std::string> blocks;  // "<TestItemBegin>" ... "<TestItemEnd>"
    std::string after;                // after the last block
};

Parts Split(const std::string& text) {
    Parts parts;
    const std::string begin = "<TestItemBegin>", end = "<TestItemEnd>";
    size_t at = text.find(begin);
    parts.before = text.substr(0, at);
    while (at != std::string::npos) {
        const size_t stop = text.find(end, at) + end.size();
        parts.blocks.push_back(text.substr(at, stop - at));
        at = text.find(begin, stop);
        if (at == std::string::npos) parts.after = text.substr(stop);
    }
    return parts;
}

TEST(StoredSequence, ReplacesOnlyTheBlocks) {
    struct Case {
        std::string original, items, stored;
    };
    const std::vector<Case> cases = {
        {"T<TestItemBegin>a<TestItemEnd><TestItemBegin>b<TestItemEnd>\r\n", "X", "TX\r\n"},
        {"T<TestItemBegin>a<TestItemEnd>tail", "", "Ttail"},
        {"no blocks", "X", "no blocksX"},
        {"T<TestItemBegin>open", "X", "TX"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredSequence(c.original, c.items), c.stored) << c.original;
}

// One run from a folder without the sample, with a relative OUTDIR: the sample is inside the
// program.
TEST(DemoCommand, WritesEveryNamedFileAndStoresTheSequenceWithTheResults) {
    ScratchFolder dir;
    const auto run = RunQuorin({"demo", "out"}, {}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> files = {
        "sequence.seq (7604 bytes, GBK)", "characteristic.png (900 x 700)",
        "characteristic.svg (900 x 700)", "report.pdf (4 pages)", "report.xml (4 items)"};
    for (int page = 1; page <= 4; ++page)
        files.push_back("report-pages/page-00" + std::to_string(page) + ".png");
    for (const std::string& file : files) {
        EXPECT_TRUE(fs::is_regular_file(dir / ("out/" + file.substr(0, file.find(' '))))) << file;
        EXPECT_NE(run.out.find("\nwrote out/" + file + "\n"), std::string::npos) << file;
    }
    EXPECT_EQ(QImage(QString::fromStdString(dir / "out/characteristic.png")).size(),
              QSize(900, 700));
    EXPECT_NE(ReadBytes(dir / "out/characteristic.svg").find("<svg"), std::string::npos);

    // What the component gave, printed as UTF-8.
    for (const char* text : {"== Template: QDR-300 线路距离保护\n",
                             "9 zones: 7 drawn from lines and arcs, 1 circle, 1 lens; 1 mirrored",
                             "Item 1: 距离I段阻抗扫描 - a block of Zelvat.DistanceCom",
                             "  4  Z1 operating time (s)  T1+0.03      0.030\n",
                             "  item 0 VALUE5 = 0.330  (REQUIRE5 T2+0.03)\n",
                             "  DIST_3_RESULT=12.000\n", "外观检查:DIST_1_RESULT;\n"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;

    const Parts sample = Split(ReadBytes(kSample));
    const Parts stored = Split(ReadBytes(dir / "out/sequence.seq"));
    EXPECT_EQ(stored.before, sample.before);  // template and report section, byte for byte
    EXPECT_EQ(stored.after, sample.after);
    ASSERT_EQ(stored.blocks.size(), 3u);
    EXPECT_EQ(stored.blocks[1], sample.blocks[1]);  // the foreign block
    // The own blocks are rewritten: results entered from the requirement formulas; prose
    // requirements leave their results as they were.
    for (const char* line :
         {"\tVALUE1=4.000;\r\n", "\tVALUE2=8.000;\r\n", "\tVALUE3=12.000;\r\n",
          "\tVALUE4=0.030;\r\n", "\tVALUE5=0.330;\r\n", "\tREQUIRE4=T1+0.03;\r\n"})
        EXPECT_NE(stored.blocks[0].find(line), std::string::npos) << line;
    EXPECT_NE(stored.blocks[0], sample.blocks[0]);
    EXPECT_NE(stored.blocks[2].find("\tVALUE1=Pass;\r\n"), std::string::npos);
    EXPECT_NE(stored.blocks[2].find("\tVALUE2= ;\r\n"), std::string::npos);
    EXPECT_NE(stored.blocks[2].find(Utf8ToAnsi("\tTESTNAME=外观及接线检查;\r\n")),
              std::string::npos);

    // The report was composed from the stored sequence: its table shows the results.
    std::vector<CReportItem> items;
    std::string error;
    ASSERT_TRUE(ImportXml(dir / "out/report.xml", items, &error)) << error;
    ASSERT_EQ(items.size(), 4u);
    ASSERT_EQ(items[1].tables.size(), 1u);
    EXPECT_EQ(items[1].tables[0].CellText(1, 2), "4.000");
    EXPECT_EQ(items[1].tables[0].CellText(5, 2), "0.330");
    EXPECT_EQ(items[1].tables[0].CellText(6, 2), "Pass");
}

}  // namespace
}  // namespace quorin::cli
