#include "report/render/report.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

#include "platform/files.h"
#include "tests/common/temp_dir.h"
#include "tests/report_render/report_fixture.h"

namespace quorin {
namespace {

using test::AllOn;
using test::BareHead;
using test::Compose;
using test::EntriesOf;
using test::Graph;
using test::Item;
using test::MakeTable;
using test::TableOfWidths;
using test::TextEntry;
using Kind = LayoutEntry::Kind;

// The drawn sections of one item as tokens: texts as they stand, "P <line>" for parameters,
// "T<table>" for table parts, "G<graph>" for graphs, "Caption" for graph captions.
std::vector<std::string> Tokens(const CReport& report, int item) {
    std::vector<std::string> tokens;
    for (const LayoutEntry& e : report.Log()) {
        if (e.item != item) continue;
        std::string token;
        switch (e.kind) {
            case Kind::kText:
                token = e.text.rfind("Figure ", 0) == 0 ? "Caption" : e.text;
                break;
            case Kind::kParameter:
                token = "P " + e.text;
                break;
            case Kind::kTablePart:
                token = "T" + FormatInt(e.table);
                break;
            case Kind::kGraph:
                token = "G" + FormatInt(e.graph);
                break;
            default:
                continue;
        }
        // A table continued on the next page is one section.
        if (!tokens.empty() && token[0] == 'T' && tokens.back() == token) continue;
        tokens.push_back(token);
    }
    return tokens;
}

CReportItem FullItem() {
    CReportItem item = Item("Full");
    item.testParaLines = {"Vnom: 57.7 V", "Inom: 1 A"};
    item.setLines = {"Z1=4", "Z2=6"};
    item.tables.push_back(MakeTable(2, 2, 100, TableKind::kCharacteristic, "Zones"));
    item.tables.push_back(MakeTable(2, 2, 100, TableKind::kBinary, "Binary"));
    item.tables.push_back(MakeTable(2, 2, 100, TableKind::kConfiguration, "Config"));
    item.tables.push_back(MakeTable(2, 2, 100, TableKind::kTestPointParameters, "Para"));
    item.tables.push_back(MakeTable(2, 2, 100, TableKind::kTestPoints, "Points"));
    item.graphs = {Graph("WIRING"), Graph("RX")};
    item.result = "1";
    return item;
}

// The sections of FullItem with every switch on; the cases below remove them by index: 0 the
// title, 1-3 common parameters, 4-5 characteristic table, 6-8 wiring graph and caption, 9-10
// binary, 11-12 configuration, 13-15 settings, 16 "Test Result", 17-18 test point parameters,
// 19 test points, 20-21 result graph and caption, 22-23 the assessment.
// clang-format off
const std::vector<std::string> kFullTokens = {
    "Full", "System Parameters: ", "P Vnom: 57.7 V", "P Inom: 1 A", "Characteristic Curve", "T0",
    "Wiring Layout", "G0", "Caption", "Binary", "T1", "Config", "T2", "Test Setting", "P Z1=4",
    "P Z2=6", "Test Result", "Para", "T3", "T4", "G1", "Caption", "Test Result Assessing: ",
    "The test points are all successful!"};
// clang-format on

// The four header switches remove their header tables; the others their item sections.
TEST(ReportSections, EverySwitchRemovesExactlyItsSection) {
    // Indexes into kFullTokens, for each switch in ReportSwitch order.
    const std::set<size_t> removed[] = {{},   {},        {},       {},       {1, 2, 3},    {4, 5},
                                        {},   {6, 7, 8}, {9, 10},  {11, 12}, {13, 14, 15}, {17, 18},
                                        {19}, {20, 21},  {22, 23}, {}};
    const std::vector<std::string> head = {"Head", "Station/Bay Information: ",
                                           "T0",   "Device Information: ",
                                           "T1",   "Nominal Values: ",
                                           "T2",   "Test Equipment Information: ",
                                           "T3",   "Extra",
                                           "T4"};
    for (int off = -1; off < CReportSetting::kSwitchCount; ++off) {
        CReportSetting setting = AllOn();
        if (off >= 0) setting.SetSwitch(static_cast<ReportSwitch>(off), 0);
        CReport report(setting);
        report.SetExtraHeaderTables({MakeTable(2, 2, 100, TableKind::kTestPoints, "Extra")});
        Compose(report, {FullItem()});
        std::vector<std::string> expected;
        for (size_t i = 0; i < kFullTokens.size(); ++i)
            if (off < 0 || !removed[off].count(i)) expected.push_back(kFullTokens[i]);
        EXPECT_EQ(Tokens(report, 1), expected) << off;
        expected = head;
        if (off >= 0 && off < 4)
            expected.erase(expected.begin() + 1 + 2 * off, expected.begin() + 3 + 2 * off);
        EXPECT_EQ(Tokens(report, 0), expected) << off;
    }
    CReport bare(BareHead());
    bare.SetExtraHeaderTables({MakeTable(2, 2, 100, TableKind::kTestPoints, "Extra")});
    Compose(bare, {});
    EXPECT_EQ(Tokens(bare, 0), (std::vector<std::string>{"Head", "Extra", "T4"}));
    ASSERT_EQ(bare.HeaderTables().size(), 5u);
    EXPECT_EQ(bare.HeaderTables()[0].title, "Station/Bay Information: ");
}

TEST(ReportSections, TablesWithoutDataAndOneCellBinaryTablesAreLeftOut) {
    CReportItem item = Item("Cells");
    item.tables.push_back(MakeTable(1, 1, 100, TableKind::kBinary, "Binary 1x1"));
    item.tables.push_back(MakeTable(1, 2, 100, TableKind::kBinary, "Binary 1x2"));
    item.tables.push_back(MakeTable(1, 1, 100, TableKind::kConfiguration, "Config 1x1"));
    item.tables.push_back(MakeTable(0, 2, 100, TableKind::kBinary, "No rows"));
    item.tables.push_back(MakeTable(3, 0, 100, TableKind::kTestPoints, "No columns"));
    CReport report(AllOn());
    Compose(report, {item});
    EXPECT_EQ(Tokens(report, 1), (std::vector<std::string>{"Cells", "Binary 1x2", "T1",
                                                           "Config 1x1", "T2", "Test Result"}));
    EXPECT_TRUE(Tokens(report, 2).empty());  // the closing item draws nothing
    EXPECT_EQ(EntriesOf(report, Kind::kItemStart, 2).size(), 1u);

    CReport single(AllOn());
    single.SetItems({Item("Alone")});
    single.Draw();
    std::vector<std::string> head = Tokens(single, 0);
    ASSERT_EQ(head.size(), 9u);
    EXPECT_EQ(head[0], "Alone");
    EXPECT_EQ(head[8], "T3");
}

TEST(ReportPages, TestsAfterTheFirstStartOnANewPageTheLastItemDoesNot) {
    CReport report(BareHead());
    Compose(report, {Item("t1"), Item("t2"), Item("t3")});
    std::vector<int> starts;
    for (const LayoutEntry& e : EntriesOf(report, Kind::kPageBreak))
        if (e.reason == PageBreakReason::kItemStart) starts.push_back(e.item);
    EXPECT_EQ(starts, (std::vector<int>{2, 3}));
    ASSERT_NE(TextEntry(report, "t1"), nullptr);
    EXPECT_EQ(TextEntry(report, "t1")->page, 0);
    EXPECT_EQ(TextEntry(report, "t1")->y, 163);  // 70, +30 head, title 20+13, +30
    EXPECT_EQ(TextEntry(report, "t1")->x, 60);
    EXPECT_EQ(TextEntry(report, "t2")->page, 1);
    EXPECT_EQ(TextEntry(report, "t2")->y, 100);  // the new page replaces the +30
    EXPECT_EQ(TextEntry(report, "t3")->page, 2);
    EXPECT_EQ(report.PageCount(), 3);
}

// Common parameters fill rows of 25 from y 225 (head 100..133, title 163..196, heading 196).
CReportItem ParametersThen(int rows, CReportTable next) {
    CReportItem item = Item("Rule");
    for (int i = 0; i < 2 * rows; ++i)
        item.testParaLines.push_back("p" + FormatInt(i) + "=1");
    item.tables.push_back(std::move(next));
    return item;
}

CReportItem WithGraphs(CReportItem item, std::vector<std::string> names) {
    for (const std::string& name : names)
        item.graphs.push_back(Graph(name));
    return item;
}

// Each rule starts one new page where its limit is passed: what follows opens page 1 at 100.
TEST(ReportPages, EachRuleStartsANewPageWhenItsLimitIsPassed) {
    CReportItem rows = Item("Rows");
    rows.tables.push_back(MakeTable(1, 2, 100, TableKind::kCharacteristic));
    for (int i = 0; i < 70; ++i)
        rows.setLines.push_back("s" + FormatInt(i) + "=1");
    CReportItem config = Item("Late");
    config.tables.push_back(MakeTable(33, 2, 100, TableKind::kConfiguration, "Config"));
    struct Case {
        CReportItem item;
        PageBreakReason reason;
        int yBefore;
    };
    const Case cases[] = {
        // 35 parameter rows end at 1100: 1100 + 30 + 50 is above 1200 - 30, the heading moves.
        {ParametersThen(35, MakeTable(2, 2, 100, TableKind::kCharacteristic)),
         PageBreakReason::kLine, 1100},
        // Heading 196..225, 33 rows to 1149, +10: 1159 + 50 exceeds 1200.
        {config, PageBreakReason::kTestResult, 1159},
        // A one-row characteristic table ends at 263 + 10, the settings heading at 292; row 33
        // sits at 1117, row 34 would end at 1142 + 17 = 1159, beyond 1150.
        {rows, PageBreakReason::kParameterRow, 1142},
        // "Test Result" ends at 225; HARM 225..730 with its caption to 757; II needs 757 + 350
        // + 50 = 1157 < 1170 and stays; its caption ends at 1139, and RX (400) moves.
        {WithGraphs(Item("Graphs"), {"HARM", "II", "RX"}), PageBreakReason::kGraph, 1139},
        // 9 parameter rows to 450, heading to 479, 9 table rows, +10, "Test Result": the graph
        // would start at 770, where 770 + 350 + 50 reaches 1200 - 30.
        {WithGraphs(ParametersThen(9, MakeTable(9, 2, 100, TableKind::kCharacteristic)), {"II"}),
         PageBreakReason::kGraph, 770},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        CReport report(BareHead());
        Compose(report, {c.item});
        const std::vector<LayoutEntry>& log = report.Log();
        std::vector<LayoutEntry> breaks = EntriesOf(report, Kind::kPageBreak);
        ASSERT_EQ(breaks.size(), 1u);
        EXPECT_EQ(breaks[0].reason, c.reason);
        EXPECT_EQ(breaks[0].yBefore, c.yBefore);
        auto next = std::find_if(log.begin(), log.end(),
                                 [](const LayoutEntry& e) { return e.kind == Kind::kPageBreak; });
        ASSERT_TRUE(next != log.end() && ++next != log.end());
        EXPECT_EQ(next->page, 1);
        EXPECT_EQ(next->y, 100);
    }
}

TEST(ReportPages, WhatJustFitsStaysOnThePage) {
    // 14 parameter rows end at 575; heading 575..604; 17 rows to 1080, +10: the next title sits
    // at 1090, where 1090 + 30 + 50 = 1170 is not above 1200 - 30.
    CReportItem lines = ParametersThen(14, MakeTable(17, 2, 100, TableKind::kCharacteristic));
    lines.tables.push_back(MakeTable(2, 2, 100, TableKind::kBinary, "Binary"));
    CReport report(BareHead());
    Compose(report, {lines});
    ASSERT_NE(TextEntry(report, "Binary"), nullptr);
    EXPECT_EQ(TextEntry(report, "Binary")->page, 0);
    EXPECT_EQ(TextEntry(report, "Binary")->y, 1090);
    // As the last case above with 8 table rows: the graph starts at 742.
    Compose(report, {WithGraphs(ParametersThen(9, MakeTable(8, 2, 100, TableKind::kCharacteristic)),
                                {"II"})});
    EXPECT_TRUE(EntriesOf(report, Kind::kPageBreak).empty());
    ASSERT_EQ(EntriesOf(report, Kind::kGraph).size(), 1u);
    EXPECT_EQ(EntriesOf(report, Kind::kGraph)[0].y, 742);
    // The graph before a moved one stays, its caption 5 below it.
    Compose(report, {WithGraphs(Item("Graphs"), {"HARM", "II", "RX"})});
    std::vector<LayoutEntry> graphs = EntriesOf(report, Kind::kGraph, 1);
    ASSERT_EQ(graphs.size(), 3u);
    EXPECT_EQ(graphs[0].y, 225);
    EXPECT_EQ(graphs[1].page, 0);
    EXPECT_EQ(graphs[1].y, 757);
    const LayoutEntry* caption = TextEntry(report, "Figure 2: Graphs");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->y, 757 + 355);
    EXPECT_EQ(caption->page, 0);
}

TEST(ReportPages, AssessmentBlockIsNeverBrokenAndMovesWholeWhenItWouldBe) {
    bool moved = false, stayed = false;
    for (int rows = 20; rows < 40; ++rows) {
        CReportItem item = ParametersThen(rows, CReportTable());
        item.result = "1-0";
        CReport report(BareHead());
        Compose(report, {item});
        const LayoutEntry* title = TextEntry(report, "Test Result Assessing: ");
        const LayoutEntry* verdict = TextEntry(report, "There is 1 test points failed. ");
        const LayoutEntry* note =
            TextEntry(report, "There is 1 test points have not be assessed. ");
        ASSERT_TRUE(title && verdict && note) << rows;
        EXPECT_EQ(verdict->page, title->page) << rows;
        EXPECT_EQ(note->page, title->page) << rows;
        EXPECT_EQ(verdict->y, title->y + 29) << rows;
        EXPECT_EQ(note->y, title->y + 58) << rows;
        EXPECT_LE(note->y, 1090) << rows;
        bool blockBreak = false;
        for (const LayoutEntry& e : EntriesOf(report, Kind::kPageBreak))
            blockBreak |= e.reason == PageBreakReason::kAssessmentBlock;
        if (blockBreak) {
            EXPECT_EQ(title->y, 150) << rows;  // new page at 100, then +50
        }
        (blockBreak ? moved : stayed) = true;
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(stayed);
}

TEST(ReportPages, EveryLineOfALongReportKeepsThe110UnitRule) {
    std::vector<CReportItem> tests;
    for (int n = 0; n < 6; ++n) {
        CReportItem item = ParametersThen(5 + 7 * n, MakeTable(3 + 11 * n, 3));
        item.setLines = item.testParaLines;
        item.tables.push_back(MakeTable(4, 2, 100, TableKind::kBinary, "B"));
        item.graphs = {Graph("II"), Graph("HARM")};
        item.result = "10-";
        tests.push_back(item);
    }
    CReport report(AllOn());
    Compose(report, tests);
    int lineBreaks = 0;
    for (const LayoutEntry& e : report.Log()) {
        if (e.kind == Kind::kPageBreak && e.reason == PageBreakReason::kLine) {
            EXPECT_GT(e.yBefore + 30 + 50, 1200 - 30);
            ++lineBreaks;
        }
        if (e.kind == Kind::kText && e.text.rfind("Figure ", 0) != 0) {
            EXPECT_LE(e.y + 30 + 50, 1200 - 30) << e.text;
        }
        if (e.kind == Kind::kTablePart) {
            EXPECT_LE(e.y + e.height, 1150) << e.table;
        }
    }
    EXPECT_GT(lineBreaks, 0);
}

struct Part {
    int firstColumn, columnCount, width;
    bool operator==(const Part&) const = default;
};

std::vector<Part> ColumnParts(const CReportTable& table) {
    CReportItem item = Item("Wide");
    item.tables.push_back(table);
    CReport report(BareHead());
    Compose(report, {item});
    std::vector<Part> parts;
    for (const LayoutEntry& e : EntriesOf(report, Kind::kTablePart, 1))
        parts.push_back({e.firstColumn, e.columnCount, e.width});
    return parts;
}

TEST(ReportTables, WideTablesAreFittedWhen840IsAboveThreeQuartersElseSplitAt700) {
    struct Case {
        std::vector<int> widths;
        std::vector<Part> parts;
    };
    const Case cases[] = {
        {std::vector<int>(10, 100), {{0, 10, 840}}},
        {{840}, {{0, 1, 840}}},
        {{560, 559}, {{0, 2, 839}}},               // 1119: 840 > 839.25, scaled to 420 + 419
        {{560, 560}, {{0, 1, 560}, {1, 1, 560}}},  // 1120: 840 is not above 840
        {std::vector<int>(12, 100), {{0, 7, 700}, {7, 5, 500}}},
        {{300, 300, 150, 400}, {{0, 2, 600}, {2, 2, 550}}},
        {{350, 350, 500}, {{0, 2, 700}, {2, 1, 500}}},  // a running sum of exactly 700 stays
        {{350, 360, 500}, {{0, 1, 350}, {1, 2, 839}}},  // 860 left: fitted, 351 + 488
        {std::vector<int>(20, 100), {{0, 7, 700}, {7, 7, 700}, {14, 6, 600}}},
        {{2000}, {{0, 1, 840}}},
        {{900}, {{0, 1, 840}}},
    };
    for (const Case& c : cases) {
        std::vector<Part> parts = ColumnParts(TableOfWidths(c.widths));
        ASSERT_EQ(parts.size(), c.parts.size()) << c.widths.size() << " columns";
        for (size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].firstColumn, c.parts[i].firstColumn);
            EXPECT_EQ(parts[i].columnCount, c.parts[i].columnCount);
            EXPECT_EQ(parts[i].width, c.parts[i].width) << c.widths[0];
        }
    }
}

TEST(ReportTables, LongTablesTakeTheRowsThatFitLessOneThenPartsOf36) {
    struct Row {
        int firstRow, rowCount, page, y;
        bool repeated;
    };
    struct Case {
        int configRows;  // a configuration table before "Test Result" moves the table down
        int rows;
        std::vector<Row> parts;
    };
    const Case cases[] = {
        // Table at 225: (1150 - 225) / 28 = 33 rows fit.
        {0, 33, {{0, 33, 0, 225, false}}},
        {0, 34, {{0, 32, 0, 225, false}, {32, 2, 1, 100, true}}},
        {0, 100, {{0, 32, 0, 225, false}, {32, 36, 1, 100, true}, {68, 32, 2, 100, true}}},
        // 29 untitled configuration rows from 196, +10: "Test Result" at 1018, the table at
        // 1047; 3 rows fit, less one.
        {29, 5, {{0, 2, 0, 1047, false}, {2, 3, 1, 100, true}}},
        // 30 rows: the table at 1075, 2 fit; one would be the heading row alone, so the table
        // moves whole.
        {30, 5, {{0, 5, 1, 100, false}}},
    };
    for (const Case& c : cases) {
        CReportItem item = Item("Long");
        if (c.configRows > 0)
            item.tables.push_back(MakeTable(c.configRows, 2, 100, TableKind::kConfiguration, ""));
        item.tables.push_back(MakeTable(c.rows, 2));
        CReport report(BareHead());
        Compose(report, {item});
        std::vector<LayoutEntry> parts;
        for (const LayoutEntry& e : EntriesOf(report, Kind::kTablePart, 1))
            if (e.table == static_cast<int>(item.tables.size()) - 1) parts.push_back(e);
        ASSERT_EQ(parts.size(), c.parts.size()) << c.rows;
        for (size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].firstRow, c.parts[i].firstRow) << c.rows << " part " << i;
            EXPECT_EQ(parts[i].rowCount, c.parts[i].rowCount) << c.rows << " part " << i;
            EXPECT_EQ(parts[i].page, c.parts[i].page) << c.rows << " part " << i;
            EXPECT_EQ(parts[i].y, c.parts[i].y) << c.rows << " part " << i;
            EXPECT_EQ(parts[i].headingRepeated, c.parts[i].repeated);
            EXPECT_EQ(parts[i].height, (c.parts[i].rowCount + (c.parts[i].repeated ? 1 : 0)) * 28);
        }
    }
}

TEST(ReportTables, MalformedTablesAreBoundedAndNeverCrash) {
    CReportItem item = Item("Bad");
    CReportTable huge(1000000000, 3);  // rows without cells
    for (int c = 0; c < 2; ++c)
        huge.AddColumn(CReportColumn(1, c, -50));  // fewer columns than counted, no width
    huge.columns[0].AddCell("x").rowIndex = -4;
    huge.columns[1].AddCell("y").rowIndex = 7;
    item.tables.push_back(huge);
    CReportTable text = MakeTable(2, 1, 300);
    text.columns[0].cells[1].text = std::string(100000, 'W');
    item.tables.push_back(text);
    CReport report(BareHead());
    Compose(report, {item});
    int rows = 0;
    for (const LayoutEntry& e : EntriesOf(report, Kind::kTablePart, 1)) {
        if (e.table == 0) {
            rows += e.rowCount;
            EXPECT_EQ(e.columnCount, 2);
        }
    }
    EXPECT_EQ(rows, CReport::kMaxTableRows);
}

TEST(ReportParameters, EvenEntriesLeftOddRightWithAGapOfAtMost200) {
    CReportItem item = Item("Params");
    item.setLines = {"Name=Value", "B=2", "Longer name = 3", "C:4",
                     "a name without any value at all"};
    CReport report(BareHead());
    Compose(report, {item});
    std::vector<LayoutEntry> p = EntriesOf(report, Kind::kParameter, 1);
    ASSERT_EQ(p.size(), 5u);
    int leftWidth = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].text, item.setLines[i]);
        EXPECT_EQ(p[i].column, static_cast<int>(i % 2));
        EXPECT_EQ(p[i].y, 225 + 25 * static_cast<int>(i / 2));
        EXPECT_EQ(p[i].height, 12);
        if (i % 2 == 0) {
            EXPECT_EQ(p[i].x, 100);
            leftWidth = std::max(leftWidth, p[i].width);
        }
    }
    EXPECT_EQ(p[1].x, p[3].x);
    const int gap = p[1].x - 100 - leftWidth;
    EXPECT_GE(gap, 200);
    EXPECT_LE(gap, 202);  // the column keeps a pixel of rounding
    // The line without a value is the longest name of the left column.
    EXPECT_EQ(p[0].nameWidth, p[4].width);
    EXPECT_EQ(TextEntry(report, "Test Setting")->y, 196);
}

TEST(ReportParameters, WideEntriesShareTheLineAndRowsBreakBefore1150) {
    CReportItem item = Item("Wide");
    for (int i = 0; i < 120; ++i)
        item.setLines.push_back("Parameter " + FormatInt(i) + " = " + std::string(60, 'v'));
    CReport report(BareHead());
    Compose(report, {item});
    std::vector<LayoutEntry> p = EntriesOf(report, Kind::kParameter, 1);
    ASSERT_EQ(p.size(), 120u);
    for (const LayoutEntry& e : p) {
        EXPECT_GE(e.x, 100);
        EXPECT_LE(e.x + e.width, 920);
        EXPECT_LE(e.y + 12 + 5, 1150);
    }
    const int gap = p[1].x - 100 - p[0].width;
    EXPECT_GE(gap, 0);
    EXPECT_LE(gap, 200);
    std::vector<LayoutEntry> breaks = EntriesOf(report, Kind::kPageBreak);
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_EQ(breaks[0].reason, PageBreakReason::kParameterRow);
    EXPECT_GT(breaks[0].yBefore + 17, 1150);
    EXPECT_LE(breaks[0].yBefore - 25 + 17, 1150);
    EXPECT_EQ(p[2 * 37].y, 100);  // rows 0..36 fit from 225; row 37 (at 1150) opens page 1
    EXPECT_EQ(p[2 * 37].page, 1);
}

TEST(ReportParameters, LinesSplitAtTheFirstEqualsOrColon) {
    struct Case {
        const char* line;
        const char* name;
        const char* value;
        bool separator;
    };
    const Case cases[] = {
        {"Vnom: 57.7 V", "Vnom:", "57.7 V", true},
        {"a=b:c", "a=", "b:c", true},
        {"t:1=2", "t:", "1=2", true},
        {"plain", "plain", "", false},
        {"x=", "x=", "", true},
        {"  =  \tv ", "  =", "v ", true},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        ParameterEntry e = SplitParameterLine(c.line);
        EXPECT_EQ(e.name, c.name) << c.line;
        EXPECT_EQ(e.value, c.value) << c.line;
        EXPECT_EQ(e.hasSeparator, c.separator) << c.line;
    }
}

TEST(ReportGraphs, HeightFollowsThePictureNameAndTheGraphIsTwoThirdsWide) {
    const std::pair<const char*, int> cases[] = {{"WIRING", 200}, {"HARM", 500}, {"AB", 500},
                                                 {"EL", 500},     {"UF", 500},   {"II", 350},
                                                 {"RX", 400},     {"", 400},     {"wiring", 400}};
    CReportItem item = Item("Graphs");
    for (const auto& [name, height] : cases) {
        EXPECT_EQ(CReport::PictureHeight(name), height) << name;
        item.graphs.push_back(Graph(name));
    }
    CReport report(BareHead());
    Compose(report, {item});
    std::vector<LayoutEntry> graphs = EntriesOf(report, Kind::kGraph, 1);
    ASSERT_EQ(graphs.size(), std::size(cases));
    EXPECT_EQ(graphs[0].graph, 0);  // the wiring graph comes first, in its own section
    for (const LayoutEntry& g : graphs) {
        EXPECT_EQ(g.height, cases[g.graph].second) << g.text;
        EXPECT_EQ(g.width, 666);
        EXPECT_EQ(g.x, 167);
    }
}

TEST(ReportAssessment, OutcomesGiveTheirTextsColoursAndPlaces) {
    struct Case {
        const char* result;
        std::vector<std::tuple<std::string, int, bool, unsigned>> lines;  // text, x, bold, rgb
    };
    const Case cases[] = {
        {"11-0",
         {{"Test Result Assessing: ", 80, true, 0},
          {"There is 1 test points failed. ", 80, true, 0xFF0000},
          {"There is 1 test points have not be assessed. ", 100, false, 0}}},
        {"111",
         {{"Test Result Assessing: ", 80, true, 0},
          {"The test points are all successful!", 80, true, 0x00FF00}}},
        {"?", {{"Test Result Assessing: ", 80, true, 0}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        CReportItem item = Item("Assess");
        item.result = c.result;
        CReport report(BareHead());
        Compose(report, {item});
        std::vector<LayoutEntry> texts = EntriesOf(report, Kind::kText, 1);
        // Title and "Test Result" come first.
        ASSERT_EQ(texts.size(), 2 + c.lines.size()) << c.result;
        for (size_t i = 0; i < c.lines.size(); ++i) {
            const LayoutEntry& e = texts[2 + i];
            EXPECT_EQ(e.text, std::get<0>(c.lines[i])) << c.result;
            EXPECT_EQ(e.x, std::get<1>(c.lines[i])) << c.result;
            EXPECT_EQ(e.bold, std::get<2>(c.lines[i])) << c.result;
            EXPECT_EQ(e.rgb, std::get<3>(c.lines[i])) << c.result;
            EXPECT_EQ(e.height, 16);
        }
        if (!c.lines.empty()) {
            EXPECT_EQ(texts[2].y, 225 + 50) << c.result;
        }
    }
}

TEST(ReportClosingPicture, FollowsTheLastItemOrOpensANewPage) {
    test::TempDir folder("closing");
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(QString::fromStdString(folder.file("small.bmp"))));
    QImage tall(80, 1000, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    ASSERT_TRUE(tall.save(QString::fromStdString(folder.file("tall.png"))));
    ASSERT_TRUE(WriteFileAtomic(folder.file("broken.bmp"), "BM not really"));
    struct Case {
        std::string file;
        bool drawn;
        int page, y, width, height;
    };
    const Case cases[] = {
        {"small.bmp", true, 0, 193, 100, 50},  // head ends at 133, +30 end item, +30
        {"tall.png", true, 1, 120, 80, 1000},  // 163 + 1000 > 1200 - 70
        {"missing.bmp", false, 0, 0, 0, 0},
        {"broken.bmp", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CReport report(BareHead());
        report.SetClosingPicture(folder.file(c.file));
        Compose(report, {});
        std::vector<LayoutEntry> pictures = EntriesOf(report, Kind::kPicture);
        ASSERT_EQ(pictures.size(), c.drawn ? 1u : 0u) << c.file;
        if (!c.drawn) continue;
        EXPECT_EQ(pictures[0].x, 150);
        EXPECT_EQ(pictures[0].page, c.page) << c.file;
        EXPECT_EQ(pictures[0].y, c.y) << c.file;
        EXPECT_EQ(pictures[0].width, c.width);
        EXPECT_EQ(pictures[0].height, c.height);
        EXPECT_EQ(report.PageCount(), c.page + 1);
    }
}

TEST(ReportScale, PrintingScalesEveryLengthAndLeavesThePreviewAlone) {
    CReport report(BareHead());
    Compose(report, {Item("a"), Item("b"), Item("c")});
    EXPECT_EQ(report.ViewPages(), 3);
    EXPECT_EQ(report.ViewSize(), QSize(1000, 3 * 1230));
    Compose(report, {});
    EXPECT_EQ(report.PageCount(), 1);
    EXPECT_EQ(report.ViewSize(), QSize(1000, 3 * 1230));  // the preview never shrinks
    report.SetItems({Item("Head"), Item("t1"), Item("b"), Item("c"), Item("d"), Item("End")});
    report.SetPrinting(2.0f, 2.0f);
    report.Draw();
    EXPECT_EQ(report.PageCount(), 4);
    EXPECT_EQ(report.ViewPages(), 3);
    const LayoutEntry* t1 = TextEntry(report, "t1");
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(t1->y, 326);
    EXPECT_EQ(t1->x, 120);
    EXPECT_EQ(t1->height, 40);
    EXPECT_EQ(report.PageTop(1), 2460);
    EXPECT_EQ(report.PageWidthDevice(), 2000);
    report.SetPrinting(std::numeric_limits<float>::quiet_NaN(), 1000.0f);
    EXPECT_EQ(report.Sx(), 1.0f);
    EXPECT_EQ(report.Sy(), 1.0f);

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

TEST(ReportDecoration, PageNumbersLogoAndFrameFollowTheMode) {
    test::TempDir folder("logo");
    QImage logo(120, 40, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(QString::fromStdString(folder.file("logo.bmp"))));
    QImage print(60, 20, QImage::Format_RGB32);
    print.fill(Qt::darkGreen);
    ASSERT_TRUE(print.save(QString::fromStdString(folder.file("LogoPrint.bmp"))));

    CReport report(BareHead());
    report.SetLogoFolder(folder.file(""));
    Compose(report, {Item("a"), Item("b")});
    std::vector<LayoutEntry> numbers = EntriesOf(report, Kind::kPageNumber);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0].text, "1");
    EXPECT_EQ(numbers[1].text, "2");
    EXPECT_EQ(numbers[1].page, 1);
    EXPECT_EQ(numbers[1].y, 1140);
    std::vector<LayoutEntry> logos = EntriesOf(report, Kind::kLogo);
    ASSERT_EQ(logos.size(), 2u);
    EXPECT_EQ(logos[0].width, 120);
    EXPECT_EQ(logos[0].height, 40);
    EXPECT_EQ(logos[0].x, 960 - 120);
    EXPECT_EQ(report.DecorationStatus(), 1);

    QImage page(1000, 1200, QImage::Format_RGB32);
    QPainter painter(&page);
    report.PaintPage(painter, 1);
    painter.end();
    EXPECT_EQ(page.pixelColor(0, 600), QColor(0x80, 0x80, 0x80));    // frame
    EXPECT_EQ(page.pixelColor(998, 600), QColor(0x50, 0x50, 0x50));  // shadow
    EXPECT_EQ(page.pixelColor(900, 40), QColor(Qt::darkBlue));       // logo
    EXPECT_EQ(page.pixelColor(500, 600), QColor(Qt::white));

    report.SetPrinting(2.0f, 2.0f);
    report.Draw();
    logos = EntriesOf(report, Kind::kLogo);
    ASSERT_FALSE(logos.empty());
    EXPECT_EQ(logos[0].width, 120);  // LogoPrint.bmp, 60 x 20, scaled by 2
    EXPECT_EQ(logos[0].height, 40);
    EXPECT_EQ(logos[0].x, 1920 - 120);
    QImage printed(2000, 2400, QImage::Format_RGB32);
    QPainter printer(&printed);
    report.PaintPage(printer, 0);
    printer.end();
    EXPECT_EQ(printed.pixelColor(0, 1200), QColor(Qt::white));  // no frame on paper
    EXPECT_EQ(printed.pixelColor(1900, 60), QColor(Qt::darkGreen));

    report.SetScreen();
    report.SetLogoFolder(folder.file("none/"));
    report.Draw();
    EXPECT_TRUE(EntriesOf(report, Kind::kLogo).empty());
    EXPECT_EQ(EntriesOf(report, Kind::kPageNumber).size(), 2u);
    EXPECT_EQ(report.DecorationStatus(), 1);

    report.SetLogoFolder("");
    report.Draw();
    EXPECT_TRUE(EntriesOf(report, Kind::kPageNumber).empty());
    EXPECT_EQ(report.DecorationStatus(), -1);
}

}  // namespace
}  // namespace quorin
