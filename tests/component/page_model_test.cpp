#include "component/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component/panel_drawing.h"
#include "component/test_item.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

// An own item with the given parameter names (results "r<k>", requirements "q<k>", property k).
CTestItem OwnItem(const std::vector<std::string>& names, const std::string& title = "Check") {
    CTestItem item;
    item.SetKind(CTestItem::kOwnKind);
    item.SetKeyString(0, title);
    for (size_t i = 0; i < names.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        item.SetKeyString(CTestItem::NameIndex(k), names[i]);
        item.SetKeyString(CTestItem::ValueIndex(k), "r" + FormatInt(k));
        item.SetKeyString(CTestItem::PropertyIndex(k), FormatInt(k));
        item.SetKeyString(CTestItem::RequireIndex(k), "q" + FormatInt(k));
    }
    item.Refresh();
    return item;
}

CPageModel LoadedPage(const std::vector<std::string>& names, int mode = 0) {
    CPageModel page;
    page.LoadFromItem(OwnItem(names), mode, 0);
    return page;
}

// Row r as "name|result|requirements|property|entered".
std::string RowText(const CPageModel& page, int r) {
    const CPageModel::Row& row = page.RowAt(r);
    return row.name + "|" + row.result + "|" + row.requirements + "|" + FormatInt(row.property) +
           "|" + FormatInt(row.resultEntered);
}

TEST(PageModel, StartsEmptyWithRowOneCurrent) {
    CPageModel page;
    EXPECT_EQ(std::vector<int>({page.RowCount(), page.CurrentRow(), page.Mode(), page.AllEntered(),
                                page.Layout().rows}),
              std::vector<int>({0, 1, 0, 1, 1}));
    EXPECT_EQ(page.Layout().columnWidths, (std::array<int, 3>{80, 360, 60}));
}

TEST(PageModel, LoadTakesNamedParametersAndClearsTheRest) {
    CPageModel page = LoadedPage({"A", "B", "C", "D"});
    page.LoadFromItem(OwnItem({"X", "Y"}, "Second"), 2, 1);
    EXPECT_EQ(page.Title(), "Second");
    EXPECT_EQ(std::vector<int>({page.RowCount(), page.Mode(), page.EditLock()}),
              std::vector<int>({2, 2, 1}));
    EXPECT_EQ(RowText(page, 2), "Y|r2|q2|2|0");
    for (int r : {0, 3, 16})
        EXPECT_EQ(page.RowAt(r).name, "") << r;
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

TEST(PageModel, LayoutCellsHeadersColoursAndHeights) {
    CPageModel page;
    CTestItem item = OwnItem({"Na$me", "Second"});
    item.SetKeyString(CTestItem::ValueIndex(1), "1$5 V");
    item.Refresh();
    page.LoadFromItem(item, 2, 0);
    const GridLayout grid = page.Layout();
    ASSERT_EQ(grid.rows, 3);
    EXPECT_EQ(grid.fixedRows, 1);
    EXPECT_EQ(grid.background, 0xE0FFFFu);
    EXPECT_EQ(grid.rowHeights, (std::vector<int>{18, 18, 18}));
    EXPECT_EQ(grid.rowProperties, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(grid.cells[0][0].text + "|" + grid.cells[0][1].text + "|" + grid.cells[0][2].text,
              "Name|Results|Edit");
    // "$" is shown as a blank and stored unchanged; results wait in grey until all are entered.
    const struct {
        int r, c;
        std::string text;
        ColorRef background, textColor;
    } cells[] = {
        {1, 0, "Na me", 0xFFFFFF, 0x000000},
        {1, 1, "1 5 V", 0xF0FFFF, 0x7D7D7D},
        {2, 2, "!", kButtonFaceColor, 0x0000FF},
    };
    for (const auto& k : cells) {
        const GridCell& cell = grid.cells[k.r][k.c];
        EXPECT_EQ(cell.text, k.text) << k.r << "," << k.c;
        EXPECT_EQ(cell.background, k.background) << k.r << "," << k.c;
        EXPECT_EQ(cell.textColor, k.textColor) << k.r << "," << k.c;
    }
    EXPECT_EQ(RowText(page, 1), "Na$me|1$5 V|q1|1|0");
    const Rgb red = RgbOf(grid.cells[2][2].textColor);
    EXPECT_EQ(red.red * 1000 + red.blue, 255000);
}

TEST(PageModel, ModeTwoMarksTheLastChangedRowAndEnablesFinish) {
    CPageModel page = LoadedPage({"A", "B"}, CPageModel::kModeEnter);
    EXPECT_EQ(page.AllEntered(), 0);
    EXPECT_FALSE(page.Finish());

    page.CellNotification(1, 1);
    EXPECT_EQ(RowText(page, 1), "A|r1|q1|1|1");
    EXPECT_EQ(page.AllEntered(), 0);
    GridLayout grid = page.Layout();
    EXPECT_EQ(std::vector<ColorRef>({grid.cells[1][0].background, grid.cells[1][1].background,
                                     grid.cells[2][0].background}),
              std::vector<ColorRef>({0x62F9F1, 0x62F9F1, 0xFFFFFF}));
    EXPECT_EQ(grid.selectedRow * 10 + grid.selectedColumn, 11);
    EXPECT_FALSE(grid.finishEnabled);

    page.CellNotification(2, 2);
    EXPECT_EQ(page.AllEntered(), 1);
    grid = page.Layout();
    EXPECT_TRUE(grid.finishEnabled);
    EXPECT_EQ(std::vector<ColorRef>({grid.cells[1][0].background, grid.cells[2][1].background,
                                     grid.cells[1][1].textColor}),
              std::vector<ColorRef>({0xFFFFFF, 0x62F9F1, 0x000000}));

    EXPECT_TRUE(page.Finish());
    EXPECT_EQ(page.Mode(), CPageModel::kModeFinished);
    EXPECT_FALSE(page.FinishEnabled() || page.Layout().finishEnabled);
}

TEST(PageModel, NotificationsOutsideModeTwoOrColumnZeroMarkNothing) {
    CPageModel shown = LoadedPage({"A"}, CPageModel::kModeShow);
    shown.CellNotification(1, 1);
    EXPECT_EQ(shown.RowAt(1).resultEntered, 0);

    CPageModel entering = LoadedPage({"A", "  "}, CPageModel::kModeEnter);
    entering.CellNotification(2, 0);
    EXPECT_EQ(entering.RowAt(2).resultEntered + entering.HighlightedRow(), 0);
    EXPECT_EQ(entering.CurrentRow(), 2);
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
    EXPECT_EQ(RowText(page, 2), "Newname||Methodandrequires|0|0");
    EXPECT_EQ(page.EditLock(), 1);
    EXPECT_FALSE(page.Layout().deleteEnabled);
    EXPECT_FALSE(page.Delete());
    for (int n = 3; n <= 15; ++n)
        EXPECT_TRUE(page.Add("P" + FormatInt(n), ""));
    EXPECT_FALSE(page.AddEnabled() || page.Layout().addEnabled);
    EXPECT_FALSE(page.Add("too many", ""));
    EXPECT_EQ(page.RowCount(), 15);
    EXPECT_EQ(page.RowAt(15).name, "P15");
}

TEST(PageModel, DeleteRemovesTheLastRowAndKeepsOne) {
    CPageModel page = LoadedPage({"A", "B", "C"});
    page.CellNotification(1, 1);  // the current row is not what Delete removes
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(page.RowCount(), 2);
    EXPECT_EQ(RowText(page, 2) + RowText(page, 3), "B|r2|q2|2|0|||0|0");
    EXPECT_TRUE(page.Delete());
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(page.RowCount(), 1);
    EXPECT_EQ(RowText(page, 1), "A|r1|q1|1|0");
}

// The name of parameter 2 is cleared after the item counted its parameters: a hole in the page.
TEST(PageModel, DeletePacksAcrossAHole) {
    const struct {
        std::vector<std::string> names;
        std::vector<std::string> rows;  // after Delete
    } cases[] = {
        {{"A", "B", "C"}, {"A|r1|q1|1|0", "|||0|0"}},
        {{"A", "B", "C", "D"}, {"A|r1|q1|1|0", "C|r3|q3|3|0", "|||0|0"}},
    };
    for (const auto& k : cases) {
        CTestItem item = OwnItem(k.names);
        item.SetKeyString(CTestItem::NameIndex(2), "");
        CPageModel page;
        page.LoadFromItem(item, 0, 0);
        ASSERT_EQ(page.RowCount(), static_cast<int>(k.names.size()));
        EXPECT_TRUE(page.Delete());
        EXPECT_EQ(page.RowCount(), static_cast<int>(k.names.size()) - 1);
        for (size_t r = 0; r < k.rows.size(); ++r)
            EXPECT_EQ(RowText(page, static_cast<int>(r) + 1), k.rows[r]) << r;
    }
}

TEST(PageModel, ClicksTakeCellTextAndDialogResults) {
    CPageModel page = LoadedPage({"A", "B"});
    EXPECT_TRUE(page.CellClicked(2, 1, "typed$text"));
    EXPECT_EQ(page.CurrentRow(), 2);
    EXPECT_EQ(page.RowAt(2).result, "typed$text");
    EXPECT_EQ(page.Layout().cells[2][1].text, "typed text");
    EXPECT_TRUE(page.CellClicked(1, 2, "!"));
    EXPECT_EQ(page.CurrentRow(), 1);
    EXPECT_EQ(page.RowAt(1).result, "r1");
    EXPECT_TRUE(page.AcceptDialogResult(1, "Pass\r\nwith\rnotes\n\r\n"));
    EXPECT_EQ(page.RowAt(1).result, "Passwith\rnotes\n");
    EXPECT_FALSE(page.CellClicked(16, 1, "x"));
    EXPECT_EQ(page.CurrentRow(), 1);
    EXPECT_FALSE(page.AcceptDialogResult(0, "x"));
    int row = 0;
    int column = 0;
    CPageModel::DecodeClick(0x0003'1202u, &row, &column);
    EXPECT_EQ(row * 10 + column, 32);
}

TEST(PageModel, DialogTextBreaksLongNamesAndResults) {
    CTestItem item = OwnItem({std::string(500, 'n')});
    item.SetKeyString(CTestItem::ValueIndex(1), std::string(400, 'v'));
    item.Refresh();
    CPageModel page;
    page.LoadFromItem(item, 0, 0);
    const ResultDialogText text = page.DialogText(1);
    EXPECT_EQ(text.name, "\r\n" + std::string(400, 'n') + "\r\n" + std::string(100, 'n'));
    EXPECT_EQ(text.result, std::string(368, 'v') + "\r\n" + std::string(32, 'v'));
    EXPECT_TRUE(page.AcceptDialogResult(1, text.result));
    EXPECT_EQ(page.RowAt(1).result, std::string(400, 'v'));
    EXPECT_EQ(page.DialogText(99).name, "");
}

TEST(PanelDrawing, DetailTextWrapsAtEvenSingleByteCounts) {
    EXPECT_EQ(DetailLineLength(160), 18);
    EXPECT_EQ(DetailLineLength(15), -2);
    const std::string thirty(30, 'x');
    const struct {
        std::string text;
        int length;
        std::string wrapped;
    } cases[] = {
        {thirty, 18, std::string(18, 'x') + "\r\n" + std::string(12, 'x')},
        // An odd number of single-byte characters in a line breaks it one byte earlier.
        {"abc\xB2\xE2\xCA\xD4xyz", 4, "abc\r\n\xB2\xE2\xCA\xD4\r\nxyz"},
        {"abcdefg", 3, "ab\r\ncd\r\nefg"},
        {thirty, 1, thirty},
        {"", 18, ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(WrapDetailText(k.text, k.length), k.wrapped) << k.text << " " << k.length;
}

TEST(PanelDrawing, DetailResultAndParameterDrawingsPlaceHeadingsAndTexts) {
    CPageModel::Row row;
    row.name = std::string(30, 'N');
    row.requirements = "Req";
    row.result = "Pass";
    const PanelDrawing detail = DetailDrawing(row, 160);
    EXPECT_EQ(detail.fontHeight, 17);
    ASSERT_EQ(detail.texts.size(), 7u);
    const std::pair<size_t, std::string> texts[] = {{0, "1.Name"},
                                                    {1, std::string(18, 'N')},
                                                    {3, "2.Testing Method & Requires"},
                                                    {5, "3.Results"},
                                                    {6, "Pass"}};
    for (const auto& [i, text] : texts)
        EXPECT_EQ(detail.texts[i].text, text) << i;
    EXPECT_EQ(std::vector<int>({detail.texts[0].y, detail.texts[1].x, detail.texts[2].y,
                                detail.texts[3].y, detail.texts[6].y}),
              std::vector<int>({30, 20, 70, 90, 150}));
    EXPECT_EQ(detail.texts[1].color, kDetailTextColor);

    const PanelDrawing result = ResultDrawing(row, 160);
    ASSERT_EQ(result.texts.size(), 8u);
    EXPECT_EQ(result.texts.back().text, "Result");
    EXPECT_EQ(result.texts.back().y * 1000 + result.texts.back().centreWidth, 10160);

    const CTestItem item = OwnItem({"A", "B"});
    const PanelDrawing table = ParameterDrawing(&item, "Name", "Key", "DIST", "RESULT", 300);
    EXPECT_EQ(table.fontHeight, 16);
    ASSERT_EQ(table.texts.size(), 6u);
    EXPECT_EQ(table.texts[1].text + "|" + table.texts[4].text + "|" + table.texts[5].text,
              "Key|B|DIST_2_RESULT");
    EXPECT_EQ(table.texts[4].y * 1000 + table.texts[5].x, 52150);
    EXPECT_EQ(table.texts[5].color, kParameterTextColor);
    EXPECT_EQ(ParameterDrawing(nullptr, "", "", "", "", 0).texts.size(), 2u);
}

}  // namespace
}  // namespace quorin
