#include "report/report_xml.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/graph_xml.h"
#include "tests/common/locale_guard.h"
#include "tests/common/temp_dir.h"
#include "tests/common/xml_dom_export.h"

namespace quorin::test {
namespace {

// The report of data/small_report.ref.
std::vector<CReportItem> SmallReport() {
    CReportItem item;
    item.title = Utf8ToAnsi("Zone 1 \xE6\xB5\x8B\xE8\xAF\x95");
    CGraph g;
    std::tie(g.xMin, g.xMax, g.yMin, g.yMax) = std::tuple(-5, 5.5, -2.25, 10);
    std::tie(g.bkColor, g.lineColor, g.picName) = std::tuple(16777215, 0, "RX Plot");
    g.lines.push_back({1, 2, 3, 4, 255, 0, 1});
    g.circles.push_back({10, 20, 5, 5, 15, 15, 25, 65280, 1, 2});
    g.arcs.push_back({0, 0, 100, 0.0, 90.0, 16711680, 0, 1});
    g.points.push_back({7, -8, 1, 6, 0});
    item.graphs.push_back(g);
    item.setLines = {"a b c", "Z1=0.5"};
    item.testParaLines = {"t"};
    CReportTable table(2, 2);
    std::tie(table.posX, table.posY) = std::pair(10, 20);
    CReportColumn names(2, 0, 80);
    names.AddCell("Name");
    names.AddCell("Zone$1");
    table.AddColumn(names);
    CReportColumn values(2, 1, 120);
    values.AddCell("a<b & c", 1).height = 30;
    values.AddCell("0.5");
    table.AddColumn(values);
    item.tables.push_back(table);
    return {item, CReportItem{}};
}

TEST(ReportXml, ExportWritesTheReferenceBytesAndDollarsOnlyTheTitleInMemory) {
    test::TempDir dir("xml");
    auto items = SmallReport();
    std::string error;
    ASSERT_TRUE(ExportXml(items, dir.file("small.xml"), &error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir.file("small.xml"), bytes));
    EXPECT_EQ(bytes, DataBytes("small_report.ref"));
    EXPECT_EQ(std::tuple(items[0].title, items[0].setLines[0], items[0].tables[0].CellText(1, 0)),
              std::tuple(Utf8ToAnsi("Zone$1$\xE6\xB5\x8B\xE8\xAF\x95"), "a b c", "Zone 1"));

    std::vector<CReportItem> none;
    EXPECT_EQ(ExportXmlText(none), DataBytes("empty_report.ref"));
    std::vector<CReportItem> stale(3);
    ASSERT_TRUE(ImportXml(test::DataPath("empty_report.ref"), stale, nullptr));
    EXPECT_TRUE(stale.empty());
}

TEST(ReportXml, ImportKeepsDollarsAndGivesCellsTheDefaultHeight) {
    std::vector<CReportItem> items;
    std::string error;
    ASSERT_TRUE(ImportXml(test::DataPath("small_report.ref"), items, &error)) << error;
    ASSERT_EQ(items.size(), 2u);
    const CReportItem& a = items[0];
    const CReportTable& t = a.tables.at(0);
    EXPECT_EQ(std::tuple(a.title, a.setLines, a.testParaLines, t.CellText(0, 1)),
              std::tuple(Utf8ToAnsi("Zone$1$\xE6\xB5\x8B\xE8\xAF\x95"),
                         std::vector<std::string>{"a$b$c", "Z1=0.5"}, std::vector<std::string>{"t"},
                         "a<b$&$c"));
    EXPECT_EQ(t.columns[1].cells[0].height, CReportCell::kDefaultHeight);
}

// The small report and a third item with every field distinct, so that no two can be swapped
// unseen.
TEST(ReportXml, ExportImportExportIsByteIdentical) {
    const std::string first = DataBytes("round_trip_report.ref");
    std::vector<CReportItem> back;
    std::string error;
    ASSERT_TRUE(ImportXmlText(first, back, &error)) << error;
    EXPECT_EQ(back.at(2).inOutLines, (std::vector<std::string>{"I1$on", "", "O2$off"}));
    EXPECT_EQ(ExportXmlText(back), first);
}

// The export writes text itself; pugixml's own save of the same nodes is the reference, for
// every byte that needs escaping, blanks, Chinese texts and empty containers alike.
TEST(ReportXml, ExportMatchesPugixmlSave) {
    std::string every;
    for (int c = 1; c < 128; ++c)
        every += static_cast<char>(c);
    every += "\xB2\xE2\xCA\xD4";
    std::vector<CReportItem> items = SmallReport();
    items[0].setLines.push_back(every);
    items[0].graphs[0].picName = every;
    items[0].tables[0].columns[0].AddRawCell(every);
    items[1].title = std::string("cut\0here", 8);
    items.emplace_back();
    items.back().tables.emplace_back(0, 0);
    items.back().graphs.resize(1);
    items.back().graphs[0].xMax = std::numeric_limits<double>::infinity();
    items.back().graphs[0].yMax = std::numeric_limits<double>::quiet_NaN();
    items.back().inOutLines.assign(1, std::string(100000, 'x'));  // past the expected size
    std::vector<CReportItem> copy = items;
    const std::string text = ExportXmlText(items);
    EXPECT_EQ(text, test::ExportXmlTextThroughDom(copy));
    EXPECT_NE(text.find("_x0001__x0002_"), std::string::npos);
    EXPECT_NE(text.find("<Title>cut_x0000_here</Title>"), std::string::npos);
}

// Well-formed XML 1.0 in UTF-8 as far as characters go: valid UTF-8 (no surrogates), no control
// character but tab, LF and CR, and no character reference (the export writes none).
bool WellFormedChars(const std::string& xml) {
    return EncodingToUtf8(xml, "UTF-8", nullptr) == ToUtf8Status::kDone &&
           xml.find("&#") == std::string::npos && std::none_of(xml.begin(), xml.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
           });
}

// What XML cannot carry is written in a reversible form: every byte reads back.
TEST(ReportXml, EveryByteOfATextReadsBackFromAWellFormedFile) {
    for (const auto& c : test::DataCases("xml_texts.txt")) {
        const std::string& text = c.at(0);
        std::vector<CReportItem> items(1);
        items[0].setLines = {text};
        items[0].graphs.resize(1);
        items[0].graphs[0].picName = text;
        const std::string xml = ExportXmlText(items);
        EXPECT_TRUE(WellFormedChars(xml)) << xml;
        EXPECT_NE(xml.find("<PicName>" + c.at(1) + "</PicName>"), std::string::npos) << xml;
        std::vector<CReportItem> back;
        ASSERT_TRUE(ImportXmlText(xml, back, nullptr));
        EXPECT_EQ(back.at(0).graphs.at(0).picName, text);
        EXPECT_EQ(back[0].setLines.at(0), BlanksToDollars(text));
    }
}

TEST(ReportXml, NumbersUseAPointUnderADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    std::vector<CReportItem> items(1);
    items[0].graphs.resize(1);
    items[0].graphs[0].xMin = -1.5;
    const std::string text = ExportXmlText(items);
    EXPECT_NE(text.find("<XMin>-1.500000</XMin>"), std::string::npos);
    std::vector<CReportItem> back;
    ASSERT_TRUE(ImportXmlText(text, back, nullptr));
    EXPECT_EQ(back[0].graphs[0].xMin, -1.5);
}

TEST(ReportXml, MissingLeavesKeepTheirValues) {
    const std::string text =
        "<Report><FullTable><Paras><Sets/><TestParas/><InOuts/></Paras>"
        "<Table><Rows>3</Rows><Cols>2</Cols></Table>"
        "<Table><Column><Rows>1</Rows><Cell><Comment>x$y</Comment></Cell><Cell/>"
        "<Cell><RowIndex>7</RowIndex><CheckBox>1</CheckBox><Height>40</Height></Cell>"
        "</Column></Table></FullTable></Report>";
    std::vector<CReportItem> items;
    std::string error;
    ASSERT_TRUE(ImportXmlText(text, items, &error)) << error;
    ASSERT_EQ(std::pair(items.size(), items.at(0).tables.size()), std::pair(size_t{1}, size_t{2}));
    const CReportTable& noColumns = items[0].tables[0];
    EXPECT_EQ(std::vector<int>({noColumns.rowCount, noColumns.colCount, noColumns.height,
                                static_cast<int>(noColumns.columns.size())}),
              std::vector<int>({3, 2, 28, 0}));
    std::string cells;  // text, row index, check box, height
    for (const CReportCell& c : items[0].tables[1].columns.at(0).cells)
        cells += c.text + "," + FormatInt(c.rowIndex) + "," + FormatInt(c.checkBox) + "," +
                 FormatInt(c.height) + ";";
    EXPECT_EQ(cells, "x$y,0,0,28;,1,0,28;,7,1,28;");
}

TEST(ReportXml, LeafTextsGatherEveryTextBelowThemInOrder) {
    const std::string text =
        "<Report><FullTable><Title>a<![CDATA[b ]]>c<i>d<j/>e</i>f</Title>"
        "<Graph><GRAPH><PicName> </PicName><AxisType><![CDATA[IT]]></AxisType>"
        "<XMax>1<i>2</i></XMax><LINE/><CIRCLE/><ARC/><POINT/></GRAPH></Graph>"
        "<Paras><Sets><Set>  </Set></Sets><TestParas/><InOuts/></Paras></FullTable></Report>";
    std::vector<CReportItem> items;
    ASSERT_TRUE(ImportXmlText(text, items, nullptr));
    ASSERT_EQ(items.size(), 1u);
    const CGraph& g = items[0].graphs.at(0);
    EXPECT_EQ(std::tuple(items[0].title, g.picName, g.axisType, g.xMax, items[0].setLines),
              std::tuple("ab cdef", " ", "IT", 12.0, std::vector<std::string>{"  "}));
}

// "测试" as the title, in the encodings a file may come in.
TEST(ReportXml, FilesInOtherEncodingsAreConverted) {
    const std::u16string wide =
        u"<Report><FullTable><Title>\u6D4B\u8BD5</Title><Paras><Sets/>"
        u"<TestParas/><InOuts/></Paras></FullTable></Report>";
    const std::string utf16le(reinterpret_cast<const char*>(wide.data()), 2 * wide.size());
    const std::string texts[] = {"\xEF\xBB\xBF" + AnsiToUtf8(Utf16ToAnsi(wide)),
                                 "\xFF\xFE" + utf16le, utf16le,
                                 "<?xml version='1.0' encoding='GB2312'?>" + Utf16ToAnsi(wide)};
    for (const std::string& text : texts) {
        std::vector<CReportItem> items;
        std::string error;
        ASSERT_TRUE(ImportXmlText(text, items, &error)) << error;
        EXPECT_EQ(items.at(0).title, "\xB2\xE2\xCA\xD4");
    }
}

TEST(ReportXml, FaultsEndTheImportWithAMessageAndKeepEarlierItems) {
    for (const auto& c : test::DataCases("report_xml_faults.txt")) {
        std::vector<CReportItem> items(5);
        std::string error;
        EXPECT_FALSE(ImportXmlText(c.at(0), items, &error)) << c[0];
        EXPECT_EQ(FormatInt(static_cast<long long>(items.size())), c.at(1)) << c[0];
        EXPECT_EQ(error, c.at(2)) << c[0];
    }
}

TEST(ReportXml, FileFaultsGiveMessages) {
    test::TempDir dir("xml");
    std::vector<CReportItem> items(2);
    std::string error;
    EXPECT_FALSE(ImportXml(dir.file("missing.xml"), items, &error));
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(error, "Cannot open the report file '" + dir.file("missing.xml") + "'.");

    // A sparse file: its size counts, not its disk blocks.
    const std::string huge = dir.file("huge.xml");
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxReportXmlBytes) + 1), 0);
    ::close(fd);
    EXPECT_FALSE(ImportXml(huge, items, &error));
    EXPECT_EQ(error, "The report file '" + huge + "' is larger than 512 MiB.");

    std::vector<CReportItem> none;
    const std::string nowhere = dir.file("no/such/folder/r.xml");
    EXPECT_FALSE(ExportXml(none, nowhere, &error));
    EXPECT_EQ(error, "Cannot write the report file '" + nowhere + "'.");
}

// Nothing recurses: any nesting imports, and the text nested in a leaf is gathered.
TEST(ReportXml, DeepNestingImportsWithoutRecursion) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    deep += "x y";
    for (int i = 0; i < 100000; ++i)
        deep += "</a>";
    const std::string text = "<Report>" + deep + "<FullTable><Title>" + deep +
                             "</Title><Paras><Sets/><TestParas/><InOuts/></Paras></FullTable>" +
                             "</Report>";
    std::vector<CReportItem> items;
    std::string error;
    ASSERT_TRUE(ImportXmlText(text, items, &error)) << error;
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].title, "x y");
}

}  // namespace
}  // namespace quorin::test
