#include "component/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "component/panel_drawing.h"
#include "component/test_item.h"
#include "platform/numtext.h"
#include "tests/common/temp_dir.h"
#include "tests/component/own_item.h"

namespace quorin {
namespace {

using test::OwnItem;

CPageModel LoadedPage(const std::vector<std::string>& names, int mode = 0) {
    CPageModel page;
    page.LoadFromItem(OwnItem(names), mode, 0);
    return page;
}

// A row: name, result, requirements, property, entered.
using Row = std::tuple<std::string, std::string, std::string, int, int>;
Row RowOf(const CPageModel& page, int r) {
    const CPageModel::Row& row = page.RowAt(r);
    return {row.name, row.result, row.requirements, row.property, row.resultEntered};
}

TEST(PageModel, StartsEmptyOnRowOneAndALoadReplacesEveryRow) {
    CPageModel page;
    EXPECT_EQ(std::vector<int>({page.RowCount(), page.CurrentRow(), page.Mode(), page.AllEntered(),
                                page.Layout().rows, page.Layout().columnWidths[0]}),
              std::vector<int>({0, 1, 0, 1, 1, 80}));
    page.LoadFromItem(OwnItem({"A", "B", "C", "D"}), 0, 0);
    page.LoadFromItem(OwnItem({"X", "Y"}, {}, "Second"), 2, 1);
    EXPECT_EQ(
        std::tuple(page.Title(), page.RowCount(), page.Mode(), page.EditLock(), RowOf(page, 2),
                   page.RowAt(0).name + page.RowAt(3).name + page.RowAt(16).name),
        std::tuple("Second", 2, 2, 1, Row("Y", "r2", "q2", 2, 0), ""));
}

TEST(PageModel, LayoutColumnsFollowTheLongestName) {
    const std::pair<size_t, int> cases[] = {{0, 80},   {5, 80},   {10, 80},  {11, 88},
                                            {43, 344}, {44, 350}, {500, 350}};
    for (const auto& [longest, nameWidth] : cases) {
        const GridLayout grid = LoadedPage({"ab", std::string(longest, 'n')}).Layout();
        EXPECT_EQ(grid.columnWidths, (std::array<int, 3>{nameWidth, 440 - nameWidth, 60}))
            << longest;
    }
}

// The grid as text: per row its height, property and cells "text background/text colour",
// then the selected cell and whether Finish is enabled.
std::string LayoutText(const GridLayout& g) {
    std::string out =
        CFormat("rows %d fixed %d background %06X\n", g.rows, g.fixedRows, g.background);
    for (int r = 0; r < g.rows; ++r) {
        out += CFormat("%d %d", g.rowHeights[r], g.rowProperties[r]);
        for (const GridCell& cell : g.cells[r])
            out += CFormat(" |%s %06X/%06X", cell.text.c_str(), cell.background, cell.textColor);
        out += "\n";
    }
    return out + CFormat("selected %d,%d finish %d\n", g.selectedRow, g.selectedColumn,
                         g.finishEnabled ? 1 : 0);
}

// "$" is shown as a blank and stored unchanged; results wait in grey until all are entered;
// in mode 2 the last changed row is marked, and Finish is enabled once every result is entered.
TEST(PageModel, LayoutShowsEnteringAndTheLastChangedRow) {
    CTestItem item = OwnItem({"Na$me", "Second"});
    item.SetKeyString(CTestItem::ValueIndex(1), "1$5 V");
    item.Refresh();
    CPageModel page;
    page.LoadFromItem(item, CPageModel::kModeEnter, 0);
    std::string text = "loaded\n" + LayoutText(page.Layout());
    EXPECT_FALSE(page.Finish());
    page.CellNotification(1, 1);
    text += "row 1 entered\n" + LayoutText(page.Layout());
    page.CellNotification(2, 2);
    text += "row 2 entered\n" + LayoutText(page.Layout());
    EXPECT_EQ(text, test::DataBytes("page_layouts.ref"));
    EXPECT_EQ(RowOf(page, 1), Row("Na$me", "1$5 V", "q1", 1, 1));
    EXPECT_TRUE(page.Finish());
    EXPECT_EQ(std::pair(page.Mode(), page.Layout().finishEnabled),
              std::pair(int(CPageModel::kModeFinished), false));
}

TEST(PageModel, NotificationsOutsideModeTwoOrColumnZeroMarkNothing) {
    CPageModel shown = LoadedPage({"A"}, CPageModel::kModeShow);
    shown.CellNotification(1, 1);
    EXPECT_EQ(shown.RowAt(1).resultEntered, 0);

    CPageModel entering = LoadedPage({"A", "  "}, CPageModel::kModeEnter);
    entering.CellNotification(2, 0);
    EXPECT_EQ(std::tuple(entering.RowAt(2).resultEntered, entering.HighlightedRow(),
                         entering.CurrentRow()),
              std::tuple(0, 0, 2));
    for (int row : {0, 16, -3}) {
        entering.CellNotification(row, 1);
        EXPECT_EQ(entering.CurrentRow(), 1) << row;
    }
    entering.CellNotification(1, 1);
    EXPECT_EQ(entering.AllEntered(), 1);  // a blank-named row needs no result
}

TEST(PageModel, AddStopsAtFifteenRowsAndLocksEditing) {
    CPageModel page = LoadedPage({"A"});
    EXPECT_TRUE(page.DeleteEnabled());
    EXPECT_TRUE(page.Add("New\r\nname\n", "Method\rand\r\nrequires"));
    EXPECT_EQ(std::pair(RowOf(page, 2), page.EditLock()),
              std::pair(Row("Newname", "", "Methodandrequires", 0, 0), 1));
    EXPECT_FALSE(page.Add("\r\n", "x") || page.Add("  ", "x"));
    EXPECT_FALSE(page.Layout().deleteEnabled || page.Delete());
    for (int n = 3; n <= 15; ++n)
        EXPECT_TRUE(page.Add("P" + FormatInt(n), ""));
    EXPECT_FALSE(page.Layout().addEnabled || page.Add("too many", ""));
    EXPECT_EQ(page.RowCount(), 15);
}

TEST(PageModel, DeleteRemovesTheLastRowAndKeepsOne) {
    CPageModel page = LoadedPage({"A", "B", "C"});
    page.CellNotification(1, 1);  // the current row is not what Delete removes
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(std::pair(RowOf(page, 2), RowOf(page, 3)),
              std::pair(Row("B", "r2", "q2", 2, 0), Row("", "", "", 0, 0)));
    EXPECT_TRUE(page.Delete() && page.Delete());
    EXPECT_EQ(std::pair(page.RowCount(), RowOf(page, 1)), std::pair(1, Row("A", "r1", "q1", 1, 0)));
}

// Every named parameter is shown, packed in order, whatever unnamed ones lie between them.
TEST(PageModel, LoadShowsEveryNamedParameterPacked) {
    const std::pair<std::vector<std::string>, std::vector<Row>> cases[] = {
        {{"A", "B", "", "D"},
         {{"A", "r1", "q1", 1, 0}, {"B", "r2", "q2", 2, 0}, {"D", "r4", "q4", 4, 0}}},
        {{"", " ", "C"}, {{"C", "r3", "q3", 3, 0}}},
        {{"A", "  "}, {{"A", "r1", "q1", 1, 0}, {"  ", "r2", "q2", 2, 0}}},
    };
    for (const auto& [names, expected] : cases) {
        CPageModel page;
        page.LoadFromItem(OwnItem(names), 0, 0);
        std::vector<Row> rows;
        for (int r = 1; r <= page.RowCount(); ++r)
            rows.push_back(RowOf(page, r));
        EXPECT_EQ(rows, expected) << names.size();
    }
}

// Dialog results are stored without line breaks, also where the dialog broke a long text.
TEST(PageModel, ClicksTakeCellTextAndDialogResultsWithoutLineBreaks) {
    CPageModel page = LoadedPage({"A", "B"});
    EXPECT_TRUE(page.CellClicked(1, 2, "!"));
    EXPECT_EQ(std::pair(page.CurrentRow(), page.RowAt(1).result), std::pair(1, std::string("r1")));
    EXPECT_TRUE(page.CellClicked(2, 1, "typed$text"));
    EXPECT_EQ(std::pair(page.CurrentRow(), page.RowAt(2).result),
              std::pair(2, std::string("typed$text")));
    EXPECT_TRUE(page.AcceptDialogResult(1, "Pass\r\nwith\rnotes\n\r\n"));
    EXPECT_EQ(page.RowAt(1).result, "Passwith\rnotes\n");
    EXPECT_TRUE(page.AcceptDialogResult(2, std::string(368, 'v') + "\r\n" + std::string(32, 'v')));
    EXPECT_EQ(page.RowAt(2).result, std::string(400, 'v'));
    EXPECT_FALSE(page.CellClicked(16, 1, "x"));
    EXPECT_EQ(page.CurrentRow(), 1);
    EXPECT_FALSE(page.AcceptDialogResult(0, "x") || page.AcceptDialogResult(99, "x"));
    int row = 0;
    int column = 0;
    CPageModel::DecodeClick(0x0003'1202u, &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(3, 2));
}

TEST(PanelDrawing, DetailTextWrapsAtEvenSingleByteCounts) {
    EXPECT_EQ(DetailLineLength(160), 18);
    EXPECT_EQ(DetailLineLength(15), -2);
    for (const auto& c : test::DataCases("detail_wrap.txt"))
        EXPECT_EQ(WrapDetailText(c.at(0), CAtoi(c.at(1))), c.at(2)) << c[0] << " " << c[1];
}

// A drawing as text: the font, then per text "x,y colour centre-width text".
std::string Transcript(const PanelDrawing& drawing) {
    std::string out = drawing.fontFamily + " " + FormatInt(drawing.fontHeight) + "\n";
    for (const DrawnText& t : drawing.texts)
        out += CFormat("%d,%d %06X %d %s\n", t.x, t.y, t.color, t.centreWidth, t.text.c_str());
    return out;
}

TEST(PanelDrawing, DetailResultAndParameterDrawingsPlaceHeadingsAndTexts) {
    CPageModel::Row row;
    row.name = std::string(30, 'N');
    row.requirements = "Req";
    row.result = "Pass";
    const CTestItem item = OwnItem({"A", "B"});
    EXPECT_EQ("detail\n" + Transcript(DetailDrawing(row, 160)) + "result\n" +
                  Transcript(ResultDrawing(row, 160)) + "parameters\n" +
                  Transcript(ParameterDrawing(&item, "Name", "Key", "DIST", "RESULT", 300)) +
                  "none\n" + Transcript(ParameterDrawing(nullptr, "", "", "", "", 0)),
              test::DataBytes("panel_drawings.ref"));
}

}  // namespace
}  // namespace quorin
