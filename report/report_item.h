// Report items and report tables: what a test hands to the report. An item has a title, graphs,
// three lists of text lines, tables and a result string with one character per test point ("1"
// passed, "0" failed, "-" not assessed). In stored report texts "$" stands for a blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "graphs/graph_description.h"

namespace quorin {

struct CReportCell {
    std::string text;
    int rowIndex = 0;
    int checkBox = 0;
    int height = kDefaultHeight;

    static constexpr int kDefaultHeight = 28;
};

class CReportColumn {
public:
    CReportColumn() = default;
    CReportColumn(int rowCount, int index, int width)
        : index(index), width(width), rowCount(rowCount) {}

    // Appends a cell made from text with every "$" turned into a blank; its row index is its
    // position in the column.
    CReportCell& AddCell(std::string_view text, int checkBox = 0);
    // Appends a cell with the text exactly as given (imported reports keep their "$").
    CReportCell& AddRawCell(std::string_view text, int checkBox = 0);

    int index = 0;
    int width = 0;
    int rowCount = 0;
    std::vector<CReportCell> cells;
};

// What a table shows in a report; decides the section that draws it. Not stored in XML reports:
// an imported table is a test-point table.
enum class TableKind {
    kTestPointParameters = 0,
    kTestPoints = 1,
    kCharacteristic = 2,
    kBinary = 3,
    kConfiguration = 4,
};

class CReportTable {
public:
    CReportTable() = default;
    CReportTable(int rowCount, int colCount) : rowCount(rowCount), colCount(colCount) {}

    // Appends a column; the table's width becomes the sum of its column widths.
    CReportColumn& AddColumn(CReportColumn column);
    // The cell text at (row, column), or "" when there is none.
    const std::string& CellText(int row, int column) const;

    std::string title;
    int rowCount = 0;
    int colCount = 0;
    int posX = 0, posY = 0;
    int height = kNewTableHeight;
    int width = 0;
    TableKind kind = TableKind::kTestPoints;
    std::vector<CReportColumn> columns;

    static constexpr int kNewTableHeight = 28;
};

struct CReportItem {
    std::string title;
    std::vector<CGraph> graphs;
    std::vector<std::string> setLines;       // setting lines
    std::vector<std::string> testParaLines;  // test-parameter lines
    std::vector<std::string> inOutLines;     // input/output lines
    std::vector<CReportTable> tables;
    std::string result;  // one character per test point
};

// "$" of a stored text back to blanks, and blanks to "$".
std::string DollarsToBlanks(std::string_view text);
std::string BlanksToDollars(std::string_view text);

}  // namespace quorin
