#include "report/report_item.h"

#include <algorithm>

namespace quorin {

namespace {
std::string Replace(std::string_view text, char from, char to) {
    std::string out(text);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}
}  // namespace

std::string DollarsToBlanks(std::string_view text) {
    return Replace(text, '$', ' ');
}
std::string BlanksToDollars(std::string_view text) {
    return Replace(text, ' ', '$');
}

CReportCell& CReportColumn::AddCell(std::string_view text, int checkBox) {
    return AddRawCell(DollarsToBlanks(text), checkBox);
}

CReportCell& CReportColumn::AddRawCell(std::string_view text, int checkBox) {
    CReportCell cell;
    cell.text.assign(text);
    cell.rowIndex = static_cast<int>(cells.size());
    cell.checkBox = checkBox;
    cells.push_back(std::move(cell));
    return cells.back();
}

CReportColumn& CReportTable::AddColumn(CReportColumn column) {
    columns.push_back(std::move(column));
    width = 0;
    for (const auto& c : columns)
        width += c.width;
    return columns.back();
}

const std::string& CReportTable::CellText(int row, int column) const {
    static const std::string empty;
    if (column < 0 || column >= static_cast<int>(columns.size())) return empty;
    const auto& cells = columns[static_cast<size_t>(column)].cells;
    for (const auto& c : cells)
        if (c.rowIndex == row) return c.text;
    return empty;
}

}  // namespace quorin
