#include "report/render/report.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <sstream>
#include <tuple>

#include "platform/files.h"
#include "report/report_xml.h"
#include "tests/common/temp_dir.h"
#include "tests/report_render/report_fixture.h"

namespace quorin::test {
namespace {

using Kind = LayoutEntry::Kind;

// The drawn sections of one item as tokens: texts as they stand, "P <line>" for parameters,
// "T<table>" for table parts, "G<graph>" for graphs, "Caption" for graph captions.
std::vector<std::string> Tokens(const CReport& report, int item) {
    std::vector<std::string> tokens;
    for (const LayoutEntry& e : report.Log()) {
        if (e.item != item) continue;
        std::string token;
        if (e.kind == Kind::kText)
            token = e.text.rfind("Figure ", 0) == 0 ? "Caption" : e.text;
        else if (e.kind == Kind::kParameter)
            token = "P " + e.text;
        else if (e.kind == Kind::kTablePart)
            token = "T" + FormatInt(e.table);
        else if (e.kind == Kind::kGraph)
            token = "G" + FormatInt(e.graph);
        else
            continue;
        // A table continued on the next page is one section.
        if (tokens.empty() || token[0] != 'T' || tokens.back() != token) tokens.push_back(token);
    }
    return tokens;
}

CReportItem FullItem() {
    CReportItem item = Item("Full");
    item.testParaLines = {"Vnom: 57.7 V", "Inom: 1 A"};
    item.setLines = {"Z1=4", "Z2=6"};
    for (auto [kind, title] : {std::pair(TableKind::kCharacteristic, "Zones"),
                               {TableKind::kBinary, "Binary"},
                               {TableKind::kConfiguration, "Config"},
                               {TableKind::kTestPointParameters, "Para"},
                               {TableKind::kTestPoints, "Points"}})
        item.tables.push_back(MakeTable(2, 2, kind, title));
    item.graphs = {Graph("WIRING"), Graph("RX")};
    item.result = "1";
    return item;
}

// Each switch off alone (all on first), the sections drawn: the four header switches remove their
// header tables, the others their sections of FullItem.
TEST(ReportSections, EverySwitchRemovesExactlyItsSection) {
    std::string drawn;
    for (int off = -1; off < CReportSetting::kSwitchCount; ++off) {
        CReportSetting setting = AllOn();
        if (off >= 0) setting.SetSwitch(static_cast<ReportSwitch>(off), 0);
        CReport report(setting);
        report.SetExtraHeaderTables({MakeTable(2, 2, TableKind::kTestPoints, "Extra")});
        Compose(report, {FullItem()});
        drawn += off < 0 ? "all on" : CReportSetting::SwitchKey(static_cast<ReportSwitch>(off));
        for (int item : {0, 1}) {
            drawn += "\n  ";
            for (const std::string& token : Tokens(report, item))
                drawn += token + "|";
        }
        drawn += "\n";
    }
    EXPECT_EQ(drawn, DataBytes("report_sections.ref"));
    CReport bare(BareHead());
    bare.SetExtraHeaderTables({MakeTable(2, 2, TableKind::kTestPoints, "Extra")});
    Compose(bare, {});
    EXPECT_EQ(Tokens(bare, 0), (std::vector<std::string>{"Head", "Extra", "T4"}));
    ASSERT_EQ(bare.HeaderTables().size(), 5u);
    EXPECT_EQ(bare.HeaderTables()[0].title, "Station/Bay Information: ");
}

TEST(ReportSections, TablesWithoutDataAndOneCellBinaryTablesAreLeftOut) {
    CReportItem item = Item("Cells");
    item.tables = {MakeTable(1, 1, TableKind::kBinary, "Binary 1x1"),
                   MakeTable(1, 2, TableKind::kBinary, "Binary 1x2"),
                   MakeTable(1, 1, TableKind::kConfiguration, "Config 1x1"),
                   MakeTable(0, 2, TableKind::kBinary, "No rows"),
                   MakeTable(3, 0, TableKind::kTestPoints, "No columns")};
    auto report = Composed({item}, AllOn());
    EXPECT_EQ(Tokens(*report, 1), (std::vector<std::string>{"Cells", "Binary 1x2", "T1",
                                                            "Config 1x1", "T2", "Test Result"}));
    EXPECT_TRUE(Tokens(*report, 2).empty());  // the closing item draws nothing

    // A single item is the head, with its tables.
    CReport single(AllOn());
    single.SetItems({Item("Alone")});
    single.Draw();
    const std::vector<std::string> head = Tokens(single, 0);
    EXPECT_EQ(std::tuple(head.size(), head.front(), head.back()), std::tuple(9u, "Alone", "T3"));
}

TEST(ReportPages, TestsAfterTheFirstStartOnANewPageTheLastItemDoesNot) {
    auto report = Composed({Item("t1"), Item("t2"), Item("t3")});
    std::vector<int> starts;
    for (const LayoutEntry& e : EntriesOf(*report, Kind::kPageBreak))
        if (e.reason == PageBreakReason::kItemStart) starts.push_back(e.item);
    EXPECT_EQ(starts, (std::vector<int>{2, 3}));
    EXPECT_EQ(PageY(*report, "t1"), std::pair(0, 163));  // 70, +30 head, title 20+13, +30
    EXPECT_EQ(TextEntry(*report, "t1")->x, 60);
    EXPECT_EQ(PageY(*report, "t2"), std::pair(1, 100));  // the new page replaces the +30
    EXPECT_EQ(PageY(*report, "t3"), std::pair(2, 100));
    EXPECT_EQ(report->PageCount(), 3);
}

// Common parameters fill rows of 25 from y 225 (head 100..133, title 163..196, heading 196).
CReportItem ParametersThen(int rows, CReportTable next, std::vector<std::string> graphs = {}) {
    CReportItem item = Item("Rule");
    for (int i = 0; i < 2 * rows; ++i)
        item.testParaLines.push_back("p" + FormatInt(i) + "=1");
    item.tables.push_back(std::move(next));
    for (const std::string& name : graphs)
        item.graphs.push_back(Graph(name));
    return item;
}

CReportItem Graphs(const std::vector<std::string>& names) {
    CReportItem item = Item("Graphs");
    for (const std::string& name : names)
        item.graphs.push_back(Graph(name));
    return item;
}

// Each rule starts one new page where its limit is passed: what follows opens page 1 at 100.
TEST(ReportPages, EachRuleStartsANewPageWhenItsLimitIsPassed) {
    CReportItem rows = Item("Rows");
    rows.tables.push_back(MakeTable(1, 2, TableKind::kCharacteristic));
    for (int i = 0; i < 70; ++i)
        rows.setLines.push_back("s" + FormatInt(i) + "=1");
    CReportItem config = Item("Late");
    config.tables.push_back(MakeTable(33, 2, TableKind::kConfiguration, "Config"));
    const std::tuple<CReportItem, PageBreakReason, int> cases[] = {
        // 35 parameter rows end at 1100: 1100 + 30 + 50 is above 1200 - 30, the heading moves.
        {ParametersThen(35, MakeTable(2, 2, TableKind::kCharacteristic)), PageBreakReason::kLine,
         1100},
        // Heading 196..225, 33 rows to 1149, +10: 1159 + 50 exceeds 1200.
        {config, PageBreakReason::kTestResult, 1159},
        // A one-row characteristic table ends at 263 + 10, the settings heading at 292; row 33
        // sits at 1117, row 34 would end at 1142 + 17 = 1159, beyond 1150.
        {rows, PageBreakReason::kParameterRow, 1142},
        // "Test Result" ends at 225; HARM 225..730 with its caption to 757; II needs 757 + 350
        // + 50 = 1157 < 1170 and stays; its caption ends at 1139, and RX (400) moves.
        {Graphs({"HARM", "II", "RX"}), PageBreakReason::kGraph, 1139},
        // 9 parameter rows to 450, heading to 479, 9 table rows, +10, "Test Result": the graph
        // would start at 770, where 770 + 350 + 50 reaches 1200 - 30.
        {ParametersThen(9, MakeTable(9, 2, TableKind::kCharacteristic), {"II"}),
         PageBreakReason::kGraph, 770},
    };
    for (const auto& [item, reason, yBefore] : cases) {
        SCOPED_TRACE(yBefore);
        auto report = Composed({item});
        const std::vector<LayoutEntry>& log = report->Log();
        auto at = std::find_if(log.begin(), log.end(),
                               [](const LayoutEntry& e) { return e.kind == Kind::kPageBreak; });
        ASSERT_EQ(EntriesOf(*report, Kind::kPageBreak).size(), 1u);
        ASSERT_TRUE(at + 1 < log.end());
        EXPECT_TRUE(at->reason == reason);
        EXPECT_EQ(at->yBefore, yBefore);
        EXPECT_EQ(std::pair((at + 1)->page, (at + 1)->y), std::pair(1, 100));
    }
}

TEST(ReportPages, WhatJustFitsStaysOnThePage) {
    // 14 parameter rows end at 575; heading 575..604; 17 rows to 1080, +10: the next title sits
    // at 1090, where 1090 + 30 + 50 = 1170 is not above 1200 - 30.
    CReportItem lines = ParametersThen(14, MakeTable(17, 2, TableKind::kCharacteristic));
    lines.tables.push_back(MakeTable(2, 2, TableKind::kBinary, "Binary"));
    EXPECT_EQ(PageY(*Composed({lines}), "Binary"), std::pair(0, 1090));
    // As the last case above with 8 table rows: the graph starts at 742.
    auto report =
        Composed({ParametersThen(9, MakeTable(8, 2, TableKind::kCharacteristic), {"II"})});
    EXPECT_TRUE(EntriesOf(*report, Kind::kPageBreak).empty());
    ASSERT_EQ(EntriesOf(*report, Kind::kGraph).size(), 1u);
    EXPECT_EQ(EntriesOf(*report, Kind::kGraph)[0].y, 742);
    // The graph before a moved one stays, its caption 5 below it.
    report = Composed({Graphs({"HARM", "II", "RX"})});
    std::vector<LayoutEntry> graphs = EntriesOf(*report, Kind::kGraph, 1);
    ASSERT_EQ(graphs.size(), 3u);
    EXPECT_EQ(graphs[0].y, 225);
    EXPECT_EQ(std::pair(graphs[1].page, graphs[1].y), std::pair(0, 757));
    EXPECT_EQ(PageY(*report, "Figure 2: Graphs"), std::pair(0, 757 + 355));
}

TEST(ReportPages, AssessmentBlockIsNeverBrokenAndMovesWholeWhenItWouldBe) {
    bool moved = false, stayed = false;
    for (int rows = 20; rows < 40; ++rows) {
        CReportItem item = ParametersThen(rows, CReportTable());
        item.result = "1-0";
        auto report = Composed({item});
        const auto [page, y] = PageY(*report, "Test Result Assessing: ");
        EXPECT_EQ(PageY(*report, "There is 1 test points failed. "), std::pair(page, y + 29));
        EXPECT_EQ(PageY(*report, "There is 1 test points have not be assessed. "),
                  std::pair(page, y + 58));
        EXPECT_LE(y + 58, 1090) << rows;
        bool blockBreak = false;
        for (const LayoutEntry& e : EntriesOf(*report, Kind::kPageBreak))
            blockBreak |= e.reason == PageBreakReason::kAssessmentBlock;
        EXPECT_TRUE(!blockBreak || y == 150) << rows;  // new page at 100, then +50
        (blockBreak ? moved : stayed) = true;
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(stayed);
}

TEST(ReportPages, EveryLineOfALongReportKeepsThe110UnitRule) {
    std::vector<CReportItem> tests;
    for (int n = 0; n < 6; ++n) {
        CReportItem item = ParametersThen(5 + 7 * n, MakeTable(3 + 11 * n, 3), {"II", "HARM"});
        item.setLines = item.testParaLines;
        item.tables.push_back(MakeTable(4, 2, TableKind::kBinary, "B"));
        item.result = "10-";
        tests.push_back(item);
    }
    int lineBreaks = 0;
    auto report = Composed(tests, AllOn());
    for (const LayoutEntry& e : report->Log()) {
        if (e.kind == Kind::kPageBreak && e.reason == PageBreakReason::kLine) {
            EXPECT_GT(e.yBefore + 30 + 50, 1200 - 30);
            ++lineBreaks;
        }
        const bool text = e.kind == Kind::kText && e.text.rfind("Figure ", 0) != 0;
        EXPECT_TRUE(!text || e.y + 30 + 50 <= 1200 - 30) << e.text;
        EXPECT_TRUE(e.kind != Kind::kTablePart || e.y + e.height <= 1150) << e.table;
    }
    EXPECT_GT(lineBreaks, 0);
}

// The fields of each table part of the test's last table, "a,b,c" for each part, space-separated.
template <typename Fields>
std::string Parts(const CReportItem& item, Fields fields) {
    std::string parts;
    for (const LayoutEntry& e : EntriesOf(*Composed({item}), Kind::kTablePart, 1)) {
        if (e.table != static_cast<int>(item.tables.size()) - 1) continue;
        std::string part;
        for (int field : fields(e))
            part += (part.empty() ? "" : ",") + FormatInt(field);
        parts += (parts.empty() ? "" : " ") + part;
    }
    return parts;
}

TEST(ReportTables, WideTablesAreFittedWhen840IsAboveThreeQuartersElseSplitAt700) {
    for (const auto& c : DataCases("wide_tables.txt")) {
        std::vector<int> widths;
        std::istringstream in(c.at(0));
        for (int width; in >> width;)
            widths.push_back(width);
        CReportItem item = Item("Wide");
        item.tables.push_back(TableOfWidths(2, widths));
        EXPECT_EQ(Parts(item,
                        [](const LayoutEntry& e) {
                            return std::vector{e.firstColumn, e.columnCount, e.width};
                        }),
                  c.at(1))
            << c[0];
    }
}

TEST(ReportTables, LongTablesTakeTheRowsThatFitLessOneThenPartsOf36) {
    for (const auto& c : DataCases("long_tables.txt")) {
        CReportItem item = Item("Long");
        if (const int configRows = std::stoi(c.at(0)); configRows > 0)
            item.tables.push_back(MakeTable(configRows, 2, TableKind::kConfiguration, ""));
        item.tables.push_back(MakeTable(std::stoi(c.at(1)), 2));
        EXPECT_EQ(
            Parts(
                item,
                [](const LayoutEntry& e) {
                    EXPECT_EQ(e.height, (e.rowCount + (e.headingRepeated ? 1 : 0)) * 28);
                    return std::vector{e.firstRow, e.rowCount, e.page, e.y, int(e.headingRepeated)};
                }),
            c.at(2))
            << c[0] << " " << c[1];
    }
}

TEST(ReportTables, MalformedTablesAreBoundedAndNeverCrash) {
    CReportItem item = Item("Bad");
    CReportTable huge(1000000000, 3);  // rows without cells
    for (int c = 0; c < 2; ++c)
        huge.AddColumn(CReportColumn(1, c, -50));  // fewer columns than counted, no width
    huge.columns[0].AddCell("x").rowIndex = -4;
    huge.columns[1].AddCell("y").rowIndex = 7;
    CReportTable text = TableOfWidths(2, {300});
    text.columns[0].cells[1].text = std::string(100000, 'W');
    item.tables = {huge, text};
    int rows = 0;
    for (const LayoutEntry& e : EntriesOf(*Composed({item}), Kind::kTablePart, 1)) {
        if (e.table != 0) continue;
        rows += e.rowCount;
        EXPECT_EQ(e.columnCount, 2);
    }
    EXPECT_EQ(rows, CReport::kMaxTableRows);
}

TEST(ReportParameters, EvenEntriesLeftOddRightWithAGapOfAtMost200) {
    CReportItem item = Item("Params");
    item.setLines = {"Name=Value", "B=2", "Longer name = 3", "C:4",
                     "a name without any value at all"};
    auto report = Composed({item});
    std::vector<LayoutEntry> p = EntriesOf(*report, Kind::kParameter, 1);
    ASSERT_EQ(p.size(), 5u);
    int leftWidth = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const int column = static_cast<int>(i % 2), row = static_cast<int>(i / 2);
        EXPECT_EQ(std::tuple(p[i].text, p[i].column, p[i].y, p[i].height),
                  std::tuple(item.setLines[i], column, 225 + 25 * row, 12));
        EXPECT_TRUE(column == 1 || p[i].x == 100) << i;
        if (column == 0) leftWidth = std::max(leftWidth, p[i].width);
    }
    EXPECT_EQ(p[1].x, p[3].x);
    const int gap = p[1].x - 100 - leftWidth;
    EXPECT_TRUE(gap >= 200 && gap <= 202) << gap;  // the column keeps a pixel of rounding
    // The line without a value is the longest name of the left column.
    EXPECT_EQ(p[0].nameWidth, p[4].width);
    EXPECT_EQ(TextEntry(*report, "Test Setting")->y, 196);
}

TEST(ReportParameters, WideEntriesShareTheLineAndRowsBreakBefore1150) {
    CReportItem item = Item("Wide");
    for (int i = 0; i < 120; ++i)
        item.setLines.push_back("Parameter " + FormatInt(i) + " = " + std::string(60, 'v'));
    auto report = Composed({item});
    std::vector<LayoutEntry> p = EntriesOf(*report, Kind::kParameter, 1);
    ASSERT_EQ(p.size(), 120u);
    for (const LayoutEntry& e : p) {
        EXPECT_GE(e.x, 100);
        EXPECT_LE(e.x + e.width, 920);
        EXPECT_LE(e.y + 12 + 5, 1150);
    }
    EXPECT_TRUE(p[1].x - 100 - p[0].width >= 0 && p[1].x - 100 - p[0].width <= 200);
    std::vector<LayoutEntry> breaks = EntriesOf(*report, Kind::kPageBreak);
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_TRUE(breaks[0].reason == PageBreakReason::kParameterRow);
    EXPECT_GT(breaks[0].yBefore + 17, 1150);
    EXPECT_LE(breaks[0].yBefore - 25 + 17, 1150);
    // Rows 0..36 fit from 225; row 37 (at 1150) opens page 1.
    EXPECT_EQ(std::pair(p[2 * 37].page, p[2 * 37].y), std::pair(1, 100));
}

TEST(ReportParameters, LinesSplitAtTheFirstEqualsOrColon) {
    for (const auto& c : DataCases("parameter_lines.txt")) {
        const ParameterEntry e = SplitParameterLine(c.at(0));
        EXPECT_EQ((std::vector<std::string>{c[0], e.name, e.value, e.hasSeparator ? "1" : "0"}), c);
    }
}

TEST(ReportGraphs, HeightFollowsThePictureNameAndTheGraphIsTwoThirdsWide) {
    const std::pair<const char*, int> cases[] = {{"WIRING", 200}, {"HARM", 500}, {"AB", 500},
                                                 {"EL", 500},     {"UF", 500},   {"II", 350},
                                                 {"RX", 400},     {"", 400},     {"wiring", 400}};
    std::vector<std::string> names;
    for (const auto& [name, height] : cases) {
        EXPECT_EQ(CReport::PictureHeight(name), height) << name;
        names.push_back(name);
    }
    std::vector<LayoutEntry> graphs = EntriesOf(*Composed({Graphs(names)}), Kind::kGraph, 1);
    ASSERT_EQ(graphs.size(), std::size(cases));
    EXPECT_EQ(graphs[0].graph, 0);  // the wiring graph comes first, in its own section
    for (const LayoutEntry& g : graphs)
        EXPECT_EQ(std::tuple(g.height, g.width, g.x), std::tuple(cases[g.graph].second, 666, 167));
}

TEST(ReportAssessment, OutcomesGiveTheirTextsColoursAndPlaces) {
    for (const auto& c : DataCases("assessment_lines.txt")) {
        CReportItem item = Item("Assess");
        item.result = c.at(0);
        std::vector<LayoutEntry> texts = EntriesOf(*Composed({item}), Kind::kText, 1);
        ASSERT_GE(texts.size(), 2u);  // title and "Test Result" come first
        std::vector<std::string> lines = {c[0], FormatInt(int(texts.size()) - 2)};
        for (size_t i = 2; i < texts.size(); ++i) {
            lines.push_back(texts[i].text + "|" + FormatInt(texts[i].x) + "|" +
                            (texts[i].bold ? "1" : "0") + "|" + CFormat("%06X", texts[i].rgb));
            EXPECT_EQ(texts[i].height, 16);
        }
        EXPECT_EQ(lines, c);
        EXPECT_TRUE(texts.size() == 2 || texts[2].y == 225 + 50) << c[0];
    }
}

// A picture of one colour in the folder, its format by the name's extension.
void SaveImage(const TempDir& folder, const std::string& name, QSize size, Qt::GlobalColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(QString::fromStdString(folder.file(name)))) << name;
}

TEST(ReportClosingPicture, FollowsTheLastItemOrOpensANewPage) {
    TempDir folder("closing");
    SaveImage(folder, "small.bmp", QSize(100, 50), Qt::red);
    SaveImage(folder, "tall.png", QSize(80, 1000), Qt::blue);
    ASSERT_TRUE(WriteFileAtomic(folder.file("broken.bmp"), "BM not really"));
    using Box = std::vector<int>;  // page, x, y, width, height; pages
    const std::pair<std::string, Box> cases[] = {
        {"small.bmp", {0, 150, 193, 100, 50, 1}},  // head ends at 133, +30 end item, +30
        {"tall.png", {1, 150, 120, 80, 1000, 2}},  // 163 + 1000 > 1200 - 70
        {"missing.bmp", {}},
        {"broken.bmp", {}},
    };
    for (const auto& [file, expected] : cases) {
        CReport report(BareHead());
        report.SetClosingPicture(folder.file(file));
        Compose(report, {});
        Box box;
        for (const LayoutEntry& e : EntriesOf(report, Kind::kPicture))
            box = {e.page, e.x, e.y, e.width, e.height, report.PageCount()};
        EXPECT_EQ(box, expected) << file;
    }
}

TEST(ReportScale, PrintingScalesEveryLengthAndLeavesThePreviewAlone) {
    CReport report(BareHead());
    Compose(report, {Item("a"), Item("b"), Item("c")});
    EXPECT_EQ(std::pair(report.ViewPages(), report.ViewSize()),
              std::pair(3, QSize(1000, 3 * 1230)));
    Compose(report, {});
    EXPECT_EQ(report.PageCount(), 1);
    EXPECT_EQ(report.ViewSize(), QSize(1000, 3 * 1230));  // the preview never shrinks
    report.SetItems({Item("Head"), Item("t1"), Item("b"), Item("c"), Item("d"), Item("End")});
    report.SetPrinting(2.0f, 2.0f);
    report.Draw();
    EXPECT_EQ(std::pair(report.PageCount(), report.ViewPages()), std::pair(4, 3));
    const LayoutEntry* t1 = TextEntry(report, "t1");
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(std::tuple(t1->x, t1->y, t1->height), std::tuple(120, 326, 40));
    EXPECT_EQ(std::pair(report.PageTop(1), report.PageWidthDevice()), std::pair(2460, 2000));
    report.SetPrinting(std::numeric_limits<float>::quiet_NaN(), 1000.0f);
    EXPECT_EQ(std::pair(report.Sx(), report.Sy()), std::pair(1.0f, 1.0f));

    // Drawing on a painter lays out for its device and paints the pages on the desk.
    report.SetScreen();
    QImage view(1000, 4 * 1230, QImage::Format_RGB32);
    view.fill(Qt::black);
    QPainter painter(&view);
    EXPECT_EQ(report.Draw(painter), 1);
    painter.end();
    EXPECT_EQ(report.PageCount(), 4);
    EXPECT_EQ(view.pixelColor(500, 600), QColor(Qt::white));
    EXPECT_EQ(view.pixelColor(500, 3 * 1230 - 15), QColor(0x9C, 0x9C, 0x9C));  // a gap
    EXPECT_EQ(view.pixelColor(500, 3 * 1230 + 600), QColor(Qt::white));
}

// x, width and height of each logo.
std::vector<std::vector<int>> Logos(const CReport& report) {
    std::vector<std::vector<int>> logos;
    for (const LayoutEntry& e : EntriesOf(report, Kind::kLogo))
        logos.push_back({e.x, e.width, e.height});
    return logos;
}

QImage Page(const CReport& report, int page, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    report.PaintPage(painter, page);
    return image;
}

TEST(ReportDecoration, PageNumbersLogoAndFrameFollowTheMode) {
    TempDir folder("logo");
    SaveImage(folder, "logo.bmp", QSize(120, 40), Qt::darkBlue);
    SaveImage(folder, "LogoPrint.bmp", QSize(60, 20), Qt::darkGreen);

    CReport report(BareHead());
    report.SetLogoFolder(folder.file(""));
    Compose(report, {Item("a"), Item("b")});
    std::vector<std::tuple<std::string, int, int>> numbers;
    for (const LayoutEntry& e : EntriesOf(report, Kind::kPageNumber))
        numbers.push_back({e.text, e.page, e.y});
    EXPECT_EQ(numbers, (decltype(numbers){{"1", 0, 1140}, {"2", 1, 1140}}));
    std::vector<std::vector<int>> logos = Logos(report);
    ASSERT_EQ(logos.size(), 2u);
    EXPECT_EQ(logos[0], (std::vector<int>{960 - 120, 120, 40}));
    EXPECT_EQ(report.DecorationStatus(), 1);
    QImage page = Page(report, 1, QSize(1000, 1200));
    EXPECT_EQ(page.pixelColor(0, 600), QColor(0x80, 0x80, 0x80));    // frame
    EXPECT_EQ(page.pixelColor(998, 600), QColor(0x50, 0x50, 0x50));  // shadow
    EXPECT_EQ(page.pixelColor(900, 40), QColor(Qt::darkBlue));       // logo
    EXPECT_EQ(page.pixelColor(500, 600), QColor(Qt::white));

    report.SetPrinting(2.0f, 2.0f);
    report.Draw();
    logos = Logos(report);
    ASSERT_FALSE(logos.empty());
    EXPECT_EQ(logos[0], (std::vector<int>{1920 - 120, 120, 40}));  // LogoPrint.bmp (60 x 20) x 2
    QImage printed = Page(report, 0, QSize(2000, 2400));
    EXPECT_EQ(printed.pixelColor(0, 1200), QColor(Qt::white));  // no frame on paper
    EXPECT_EQ(printed.pixelColor(1900, 60), QColor(Qt::darkGreen));

    report.SetScreen();
    report.SetLogoFolder(folder.file("none/"));
    report.Draw();
    EXPECT_TRUE(Logos(report).empty());
    EXPECT_EQ(std::pair(EntriesOf(report, Kind::kPageNumber).size(), report.DecorationStatus()),
              std::pair(size_t{2}, 1));
    report.SetLogoFolder("");  // no folder: no decoration at all
    report.Draw();
    EXPECT_EQ(std::pair(EntriesOf(report, Kind::kPageNumber).size(), report.DecorationStatus()),
              std::pair(size_t{0}, -1));
}

// Stored report texts hold "$" for blanks: a report read back from its XML looks as before.
TEST(ReportTexts, AReimportedReportDrawsItsDollarsAsBlanks) {
    CReportItem item = Item("Zone 1 test");
    item.setLines = {"Z1 = 4 ohm", "t1 = 0 s"};
    item.tables.push_back(MakeTable(2, 2));
    item.tables[0].columns[1].cells[0].text = "a b";
    std::vector<CReportItem> items{Item("Head"), item, Item("End")};
    CReport before(BareHead()), after(BareHead());
    before.SetItems(items);
    before.Draw();
    std::vector<CReportItem> back;
    ASSERT_TRUE(ImportXmlText(ExportXmlText(items), back, nullptr));
    ASSERT_EQ(back.at(1).setLines.at(0), "Z1$=$4$ohm");  // the text keeps its "$"
    after.SetItems(back);
    after.Draw();
    ASSERT_EQ(after.PageCount(), before.PageCount());
    for (int page = 0; page < before.PageCount(); ++page)
        EXPECT_EQ(Page(after, page, QSize(1000, 1200)), Page(before, page, QSize(1000, 1200)))
            << page;
    EXPECT_EQ(after.Items().at(1).title, "Zone$1$test");
}

// What a bound leaves out is marked in the report and listed.
TEST(ReportTexts, RowsColumnsLinesAndPagesPastTheBoundsAreMarked) {
    CReportItem rows = Item("Big"), columns = Item("Big"), lines = Item("Big");
    CReportTable& tall = rows.tables.emplace_back(CReport::kMaxTableRows + 12, 1);
    tall.AddColumn(CReportColumn(tall.rowCount, 0, 100));  // no cells: only the rows count
    columns.tables.push_back(MakeTable(2, CReport::kMaxTableColumns + 3));
    lines.setLines.assign(CReport::kMaxParameterLines + 1, "x=1");
    const std::vector<CReportItem> pages(CReport::kMaxPages + 2, Item("Page"));
    const struct {
        std::vector<CReportItem> tests;
        std::string mark, omission;
    } cases[] = {
        {{rows}, "... 12 more rows not shown", "\"Big\", table 1: 12 more rows not shown"},
        {{columns}, "... 3 more columns not shown", "\"Big\", table 1: 3 more columns not shown"},
        {{lines}, "... 1 more line not shown", "\"Big\", settings: 1 more line not shown"},
        {pages, "... the rest of the report is not shown (more than 20000 pages)",
         "the report: pages after page 20000 not shown"},
        {{FullItem()}, "", ""},
    };
    for (const auto& c : cases) {
        auto report = Composed(c.tests);
        EXPECT_EQ(report->Omissions(), c.omission.empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{c.omission});
        EXPECT_EQ(c.mark.empty(), TextEntry(*report, c.mark) == nullptr) << c.mark;
    }
}

}  // namespace
}  // namespace quorin::test
