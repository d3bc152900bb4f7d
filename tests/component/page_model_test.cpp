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

CPageModel LoadedPage(const std::vector<std::string>& names, int mode = 0, int editLock = 0) {
    CPageModel page;
    page.LoadFromItem(OwnItem(names), mode, editLock);
    return page;
}

TEST(PageModel, StartsEmptyWithRowOneCurrent) {
    CPageModel page;
    EXPECT_EQ(page.RowCount(), 0);
    EXPECT_EQ(page.CurrentRow(), 1);
    EXPECT_EQ(page.Mode(), 0);
    EXPECT_EQ(page.AllEntered(), 1);
    const GridLayout grid = page.Layout();
    EXPECT_EQ(grid.rows, 1);
    EXPECT_EQ(grid.columnWidths, (std::array<int, 3>{80, 360, 60}));
}

TEST(PageModel, LoadTakesNamedParametersAndClearsTheRest) {
    CPageModel page = LoadedPage({"A", "B", "C", "D"});
    page.LoadFromItem(OwnItem({"X", "Y"}, "Second"), 2, 1);
    EXPECT_EQ(page.Title(), "Second");
    EXPECT_EQ(page.RowCount(), 2);
    EXPECT_EQ(page.Mode(), 2);
    EXPECT_EQ(page.EditLock(), 1);
    EXPECT_EQ(page.RowAt(2).name, "Y");
    EXPECT_EQ(page.RowAt(2).result, "r2");
    EXPECT_EQ(page.RowAt(2).requirements, "q2");
    EXPECT_EQ(page.RowAt(2).property, 2);
    EXPECT_EQ(page.RowAt(3).name, "");
    EXPECT_EQ(page.RowAt(0).name, "");
    EXPECT_EQ(page.RowAt(16).name, "");
}

TEST(PageModel, LayoutColumnsFollowTheLongestName) {
    struct Case {
        size_t longest;
        int nameWidth;
    };
    for (const Case c : {Case{0, 80}, Case{5, 80}, Case{10, 80}, Case{11, 88}, Case{43, 344},
                         Case{44, 350}, Case{500, 350}}) {
        CPageModel page = LoadedPage({"ab", std::string(c.longest, 'n')});
        const GridLayout grid = page.Layout();
        EXPECT_EQ(grid.columnWidths, (std::array<int, 3>{c.nameWidth, 440 - c.nameWidth, 60}))
            << c.longest;
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
    EXPECT_EQ(grid.cells[0][0].text, "Name");
    EXPECT_EQ(grid.cells[0][1].text, "Results");
    EXPECT_EQ(grid.cells[0][2].text, "Edit");
    EXPECT_EQ(grid.rowProperties, (std::vector<int>{0, 1, 2}));

    // "$" is shown as a blank and stored unchanged.
    EXPECT_EQ(grid.cells[1][0].text, "Na me");
    EXPECT_EQ(grid.cells[1][1].text, "1 5 V");
    EXPECT_EQ(page.RowAt(1).name, "Na$me");
    EXPECT_EQ(page.RowAt(1).result, "1$5 V");

    EXPECT_EQ(grid.cells[1][0].background, 0xFFFFFFu);
    EXPECT_EQ(grid.cells[1][0].textColor, 0x000000u);
    EXPECT_EQ(grid.cells[1][1].background, 0xF0FFFFu);
    EXPECT_EQ(grid.cells[1][1].textColor, 0x7D7D7Du);  // not all entered yet
    EXPECT_EQ(grid.cells[2][2].text, "!");
    EXPECT_EQ(grid.cells[2][2].textColor, 0x0000FFu);
    EXPECT_EQ(grid.cells[2][2].background, kButtonFaceColor);
    EXPECT_EQ(RgbOf(grid.cells[2][2].textColor).red, 255);
    EXPECT_EQ(RgbOf(grid.cells[2][2].textColor).blue, 0);
}

TEST(PageModel, ModeTwoMarksChangedRowsAndEnablesFinish) {
    CPageModel page = LoadedPage({"A", "B"}, CPageModel::kModeEnter);
    EXPECT_EQ(page.AllEntered(), 0);
    EXPECT_FALSE(page.FinishEnabled());
    EXPECT_FALSE(page.Finish());

    page.CellNotification(1, 1);
    EXPECT_EQ(page.RowAt(1).resultEntered, 1);
    EXPECT_EQ(page.CurrentRow(), 1);
    EXPECT_EQ(page.AllEntered(), 0);
    GridLayout grid = page.Layout();
    EXPECT_EQ(grid.cells[1][0].background, 0x62F9F1u);
    EXPECT_EQ(grid.cells[1][1].background, 0x62F9F1u);
    EXPECT_EQ(grid.cells[2][0].background, 0xFFFFFFu);
    EXPECT_EQ(grid.selectedRow, 1);
    EXPECT_EQ(grid.selectedColumn, 1);

    page.CellNotification(2, 2);
    EXPECT_EQ(page.AllEntered(), 1);
    grid = page.Layout();
    EXPECT_TRUE(grid.finishEnabled);
    EXPECT_EQ(grid.cells[1][0].background, 0xFFFFFFu);  // only the last changed row is marked
    EXPECT_EQ(grid.cells[2][1].background, 0x62F9F1u);
    EXPECT_EQ(grid.cells[1][1].textColor, 0x000000u);

    EXPECT_TRUE(page.Finish());
    EXPECT_EQ(page.Mode(), CPageModel::kModeFinished);
    EXPECT_FALSE(page.FinishEnabled());
    EXPECT_FALSE(page.Layout().finishEnabled);
}

TEST(PageModel, NotificationsOutsideModeTwoOrColumnZeroMarkNothing) {
    CPageModel shown = LoadedPage({"A"}, CPageModel::kModeShow);
    shown.CellNotification(1, 1);
    EXPECT_EQ(shown.RowAt(1).resultEntered, 0);

    CPageModel entering = LoadedPage({"A", "B"}, CPageModel::kModeEnter);
    entering.CellNotification(2, 0);
    EXPECT_EQ(entering.RowAt(2).resultEntered, 0);
    EXPECT_EQ(entering.CurrentRow(), 2);
    EXPECT_EQ(entering.HighlightedRow(), 0);

    for (int row : {0, 16, -3}) {
        entering.CellNotification(row, 1);
        EXPECT_EQ(entering.CurrentRow(), 1) << row;
    }
}

TEST(PageModel, BlankNamedRowsNeedNoResult) {
    CPageModel page = LoadedPage({"A", "  "}, CPageModel::kModeEnter);
    ASSERT_EQ(page.RowCount(), 2);
    page.CellNotification(1, 1);
    EXPECT_EQ(page.AllEntered(), 1);
}

TEST(PageModel, AddStopsAtFifteenRowsAndLocksEditing) {
    CPageModel page = LoadedPage({"A"});
    EXPECT_TRUE(page.DeleteEnabled());
    EXPECT_TRUE(page.Add("New\r\nname\n", "Method\rand\r\nrequires"));
    EXPECT_EQ(page.RowCount(), 2);
    EXPECT_EQ(page.RowAt(2).name, "Newname");
    EXPECT_EQ(page.RowAt(2).requirements, "Methodandrequires");
    EXPECT_EQ(page.RowAt(2).resultEntered, 0);
    EXPECT_EQ(page.EditLock(), 1);
    EXPECT_FALSE(page.Layout().deleteEnabled);
    EXPECT_FALSE(page.Delete());
    EXPECT_EQ(page.RowCount(), 2);

    for (int n = 3; n <= 15; ++n)
        EXPECT_TRUE(page.Add("P" + FormatInt(n), ""));
    EXPECT_FALSE(page.AddEnabled());
    EXPECT_FALSE(page.Layout().addEnabled);
    EXPECT_FALSE(page.Add("too many", ""));
    EXPECT_EQ(page.RowCount(), 15);
    EXPECT_EQ(page.RowAt(15).name, "P15");
}

TEST(PageModel, DeleteRemovesTheLastRowAndKeepsOne) {
    CPageModel page = LoadedPage({"A", "B", "C"});
    page.CellNotification(1, 1);  // the current row is not what Delete removes
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(page.RowCount(), 2);
    EXPECT_EQ(page.RowAt(2).name, "B");
    EXPECT_EQ(page.RowAt(3).name, "");
    EXPECT_EQ(page.RowAt(3).result, "");
    EXPECT_EQ(page.RowAt(3).requirements, "");
    EXPECT_TRUE(page.Delete());
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(page.RowCount(), 1);
    EXPECT_EQ(page.RowAt(1).name, "A");
    EXPECT_EQ(page.RowAt(1).result, "r1");
}

TEST(PageModel, DeletePacksAcrossAHole) {
    CTestItem item = OwnItem({"A", "B", "C"});
    item.SetKeyString(CTestItem::NameIndex(2), "");
    item.SetKeyString(CTestItem::NameIndex(3), "C");
    CPageModel page;
    page.LoadFromItem(item, 0, 0);
    ASSERT_EQ(page.RowCount(), 3);  // the item was refreshed with three names
    ASSERT_EQ(page.RowAt(2).name, "");
    EXPECT_TRUE(page.Delete());  // drops row 3 ("C"), packs rows 1..3
    EXPECT_EQ(page.RowCount(), 2);
    EXPECT_EQ(page.RowAt(1).name, "A");
    EXPECT_EQ(page.RowAt(2).name, "");

    CTestItem holed = OwnItem({"A", "B", "C", "D"});
    holed.SetKeyString(CTestItem::NameIndex(2), "");
    page.LoadFromItem(holed, 0, 0);
    ASSERT_EQ(page.RowCount(), 4);
    EXPECT_TRUE(page.Delete());  // drops "D"; rows 1..4 pack: A, C
    EXPECT_EQ(page.RowCount(), 3);
    EXPECT_EQ(page.RowAt(1).name, "A");
    EXPECT_EQ(page.RowAt(2).name, "C");
    EXPECT_EQ(page.RowAt(2).result, "r3");
    EXPECT_EQ(page.RowAt(2).requirements, "q3");
    EXPECT_EQ(page.RowAt(2).property, 3);
    EXPECT_EQ(page.RowAt(3).name, "");
    EXPECT_EQ(page.RowAt(3).result, "");
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
    EXPECT_EQ(row, 3);
    EXPECT_EQ(column, 2);
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
    EXPECT_EQ(WrapDetailText(thirty, 18), std::string(18, 'x') + "\r\n" + std::string(12, 'x'));
    // An odd number of single-byte characters in a line breaks it one byte earlier.
    EXPECT_EQ(WrapDetailText("abc\xB2\xE2\xCA\xD4xyz", 4), "abc\r\n\xB2\xE2\xCA\xD4\r\nxyz");
    EXPECT_EQ(WrapDetailText("abcdefg", 3), "ab\r\ncd\r\nefg");
    EXPECT_EQ(WrapDetailText(thirty, 1), thirty);
    EXPECT_EQ(WrapDetailText("", 18), "");
}

TEST(PanelDrawing, DetailAndResultDrawingsPlaceHeadingsAndTexts) {
    CPageModel::Row row;
    row.name = std::string(30, 'N');
    row.requirements = "Req";
    row.result = "Pass";
    const PanelDrawing detail = DetailDrawing(row, 160);
    EXPECT_EQ(detail.fontHeight, 17);
    ASSERT_EQ(detail.texts.size(), 7u);
    EXPECT_EQ(detail.texts[0].text, "1.Name");
    EXPECT_EQ(detail.texts[0].y, 30);
    EXPECT_EQ(detail.texts[1].text, std::string(18, 'N'));
    EXPECT_EQ(detail.texts[1].x, 20);
    EXPECT_EQ(detail.texts[1].color, kDetailTextColor);
    EXPECT_EQ(detail.texts[2].y, 70);
    EXPECT_EQ(detail.texts[3].text, "2.Testing Method & Requires");
    EXPECT_EQ(detail.texts[3].y, 90);
    EXPECT_EQ(detail.texts[5].text, "3.Results");
    EXPECT_EQ(detail.texts[6].text, "Pass");
    EXPECT_EQ(detail.texts[6].y, 150);

    const PanelDrawing result = ResultDrawing(row, 160);
    ASSERT_EQ(result.texts.size(), 8u);
    EXPECT_EQ(result.texts.back().text, "Result");
    EXPECT_EQ(result.texts.back().y, 10);
    EXPECT_EQ(result.texts.back().centreWidth, 160);
}

TEST(PanelDrawing, ParameterDrawingListsCountedParameters) {
    const CTestItem item = OwnItem({"A", "B"});
    const PanelDrawing drawing = ParameterDrawing(&item, "Name", "Key", "DIST", "RESULT", 300);
    EXPECT_EQ(drawing.fontHeight, 16);
    ASSERT_EQ(drawing.texts.size(), 6u);
    EXPECT_EQ(drawing.texts[1].text, "Key");
    EXPECT_EQ(drawing.texts[4].text, "B");
    EXPECT_EQ(drawing.texts[4].y, 52);
    EXPECT_EQ(drawing.texts[5].text, "DIST_2_RESULT");
    EXPECT_EQ(drawing.texts[5].x, 150);
    EXPECT_EQ(drawing.texts[5].color, kParameterTextColor);
    EXPECT_EQ(ParameterDrawing(nullptr, "", "", "", "", 0).texts.size(), 2u);
}

}  // namespace
}  // namespace quorin
