// The result-entry page without its window: the rows of one item (name, result, method and
// requirements, property), the marks of entered results, the mode, the Add/Delete/Finish actions
// and the grid as data (column widths, header and cell texts, colours, enabled buttons). A widget
// renders GridLayout() after every change and forwards the tester's actions to this model.
//
// Rows are numbered 1..15 as grid rows are (row 0 is the header). Texts are ANSI bytes; "$" in a
// name or result is shown as a blank and stored unchanged.
//
// A widget forwards: a result typed into column 1 as CellClicked(row, 1, text) followed by
// CellNotification(row, 1); a click on a cell as CellNotification(row, column); the "!" button as
// CellClicked(row, 2, ...), then the result dialog with the row (RowAt) and, on OK,
// AcceptDialogResult(row, text) and CellNotification(row, 2); the buttons as Add (after the add
// dialog), Delete and Finish. After each call it shows Layout() again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "component/test_item.h"

namespace quorin {

// A Windows colour value, 0x00BBGGRR: 0x0000FF is red.
using ColorRef = std::uint32_t;
// Stands for the system's button-face colour (not a 0x00BBGGRR value).
inline constexpr ColorRef kButtonFaceColor = 0xFF000000u;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// The red, green and blue parts of a 0x00BBGGRR value.
inline constexpr Rgb RgbOf(ColorRef color) {
    return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
            static_cast<int>((color >> 16) & 0xFF)};
}

struct GridCell {
    std::string text;  // as shown: every "$" a blank
    ColorRef background = 0xFFFFFF;
    ColorRef textColor = 0x000000;
};

// The grid of the page: RowCount() + 1 rows (row 0 the fixed header), 3 columns, no fixed column.
struct GridLayout {
    static constexpr int kColumns = 3;
    static constexpr ColorRef kGridBackground = 0xE0FFFF;
    static constexpr ColorRef kResultBackground = 0xF0FFFF;
    static constexpr ColorRef kPendingResultText = 0x7D7D7D;
    static constexpr ColorRef kButtonText = 0x0000FF;
    static constexpr ColorRef kChangedRowBackground = 0x62F9F1;
    static constexpr int kRowHeight = 18;

    int rows = 1;  // header included
    int fixedRows = 1;
    ColorRef background = kGridBackground;
    std::array<int, kColumns> columnWidths{};
    std::vector<int> rowHeights;  // rows entries, all kRowHeight
    // cells[r][c] for r = 0..rows-1; row 0 holds "Name", "Results", "Edit".
    std::vector<std::array<GridCell, kColumns>> cells;
    // rowProperties[r] is the property of grid row r (0 for the header).
    std::vector<int> rowProperties;
    bool addEnabled = false;
    bool deleteEnabled = false;
    bool finishEnabled = false;
    // The cell to select after a change (row 0: none).
    int selectedRow = 0;
    int selectedColumn = 0;
};

class CPageModel {
public:
    static constexpr int kMaxRows = 15;
    // The panel modes, numbered as hosts pass them.
    enum PanelMode : int { kModeShow = 0, kModeFinished = 1, kModeEnter = 2 };

    struct Row {
        std::string name;
        std::string result;
        std::string requirements;
        int property = 0;
        int resultEntered = 0;
    };

    // What the tester left on the page for one item: the rows with their results and entered
    // marks, and the item's key strings as the rows were last loaded from or written to them.
    struct Entries {
        std::array<Row, kMaxRows> rows;
        int rowCount = 0;
        std::array<std::string, CTestItem::kKeyStringCount> base;

        // Writes the rows into item: NAMEk, VALUEk and REQUIREk are emptied for k = 1..15, then
        // the named rows take k = 1, 2, ... in order (PROPERTYk as "%d"); base becomes the item's
        // key strings.
        void WriteTo(CTestItem& item);
    };

    // A parameter counts as named unless NAMEk is "" or " " (an empty value reads as " ").
    static bool IsNamed(std::string_view name) { return !name.empty() && name != " "; }

    CPageModel();

    const std::string& Title() const { return title_; }
    int RowCount() const { return rowCount_; }
    // 1-based grid row last clicked; 1 at construction and after a row outside 1..15.
    int CurrentRow() const { return currentRow_; }
    int Mode() const { return mode_; }
    void SetMode(int mode);
    int EditLock() const { return editLock_; }
    int AllEntered() const { return allEntered_; }
    // Row r = 1..15; an empty row for any other r.
    const Row& RowAt(int r) const;

    // Shows the item: title TESTNAME; its named parameters fill rows 1, 2, ... in order (NAMEk,
    // VALUEk, PROPERTYk, REQUIREk), other rows are emptied, the row count is the number of named
    // parameters, entered marks are cleared. With kept entries of this item: when their base is
    // the item's key strings now, their rows come back instead (typed results, added rows, marks);
    // otherwise the item's rows are shown and a row keeps its mark while its name is unchanged.
    // The mode becomes panelMode, the edit lock editLock.
    void LoadFromItem(const CTestItem& item, int panelMode, int editLock,
                      const Entries* kept = nullptr);
    // The page's rows as entries to keep while another item is shown.
    Entries KeptEntries() const;
    // Writes the rows into item (Entries::WriteTo); the page's base follows.
    void ApplyTo(CTestItem& item);

    // Recomputes the all-entered flag and re-enables Finish when it is 1; ends any row highlight.
    void Refresh();

    // "Add": appends a row (name and requirements with every LF and CR removed, entered mark 0)
    // and sets the edit lock. False, and nothing changes, when there are already 15 rows or the
    // name is empty or blanks only.
    bool Add(std::string_view name, std::string_view requirements);
    // "Delete": empties the last row and drops it when more than one row is left, then packs the
    // named rows 1..count+1 to the top. False, and nothing changes, while the edit lock is set.
    bool Delete();
    // "Finish": mode 1 and Finish disabled. False, and nothing changes, while Finish is disabled.
    bool Finish();

    // A cell was changed or clicked: the current row becomes row; for row 1..15 and column > 0
    // the row is marked entered in mode 2, the page refreshes and the row is highlighted. A row
    // outside 1..15 makes the current row 1.
    void CellNotification(int row, int column);
    // The grid's click (row and column): column 1 takes cellText as the row's result; column 2
    // only makes the row current (the widget then opens the result dialog). False for a row
    // outside 1..15 (the current row becomes 1).
    bool CellClicked(int row, int column, std::string_view cellText);
    // Row and column packed in a click message parameter: row in the high word, column in the
    // low byte.
    static void DecodeClick(std::uint32_t parameter, int* row, int* column);

    // The dialog's OK: the text with every CR LF removed becomes the row's result. False for a
    // row outside 1..15.
    bool AcceptDialogResult(int row, std::string_view text);

    bool AddEnabled() const { return rowCount_ < kMaxRows; }
    bool DeleteEnabled() const { return editLock_ == 0; }
    bool FinishEnabled() const { return finishEnabled_; }
    // The row whose name and result cells show the changed-row colour (0: none).
    int HighlightedRow() const { return highlightedRow_; }

    // The grid as the widget shows it now.
    GridLayout Layout() const;
    // Width of column 0: 8 pixels per character of the longest of the 15 names, 80..350.
    int NameColumnWidth() const;

private:
    static bool ValidRow(int r) { return r >= 1 && r <= kMaxRows; }

    std::string title_;
    std::array<Row, kMaxRows> rows_;
    std::array<std::string, CTestItem::kKeyStringCount> base_;
    int allEntered_ = 1;
    int currentRow_ = 1;
    int rowCount_ = 0;
    int mode_ = 0;
    int editLock_ = 0;
    bool finishEnabled_ = true;
    int highlightedRow_ = 0;
    int selectedColumn_ = 1;
};

// "$" shown as a blank.
std::string ShownText(std::string_view stored);
// text without any CR or LF.
std::string WithoutLineBreaks(std::string_view text);
// text without the CR LF pairs (single CR or LF kept).
std::string WithoutCrLf(std::string_view text);

}  // namespace quorin
