#include "component/page_model.h"

#include <algorithm>

#include "component/test_item.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

std::array<std::string, CTestItem::kKeyStringCount> KeyStringsOf(const CTestItem& item) {
    std::array<std::string, CTestItem::kKeyStringCount> keys;
    for (int i = 0; i < CTestItem::kKeyStringCount; ++i)
        keys[i] = item.KeyString(i);
    return keys;
}

}  // namespace

std::string ShownText(std::string_view stored) {
    std::string shown(stored);
    std::replace(shown.begin(), shown.end(), '$', ' ');
    return shown;
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

std::string WithoutCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

CPageModel::CPageModel() {
    Refresh();
}

void CPageModel::SetMode(int mode) {
    mode_ = mode;
}

const CPageModel::Row& CPageModel::RowAt(int r) const {
    static const Row kEmptyRow;
    return ValidRow(r) ? rows_[r - 1] : kEmptyRow;
}

void CPageModel::LoadFromItem(const CTestItem& item, int panelMode, int editLock,
                              const Entries* kept) {
    title_ = item.TestName();
    const auto base = KeyStringsOf(item);
    if (kept && kept->base == base) {
        rows_ = kept->rows;
        rowCount_ = kept->rowCount;
    } else {
        // Packed, so that a parameter after an unnamed one is shown and written back too.
        rowCount_ = 0;
        for (int k = 1; k <= kMaxRows; ++k) {
            const std::string& name = item.KeyString(CTestItem::NameIndex(k));
            if (!IsNamed(name)) continue;
            Row& row = rows_[rowCount_++];
            row.name = name;
            row.result = item.KeyString(CTestItem::ValueIndex(k));
            row.property = CAtoi(item.KeyString(CTestItem::PropertyIndex(k)));
            row.requirements = item.KeyString(CTestItem::RequireIndex(k));
            const bool marked = kept && kept->rows[rowCount_ - 1].name == name;
            row.resultEntered = marked ? kept->rows[rowCount_ - 1].resultEntered : 0;
        }
        // Rows of the previously shown item must not linger: a page shows one item.
        std::fill(rows_.begin() + rowCount_, rows_.end(), Row());
    }
    base_ = base;
    mode_ = panelMode;
    editLock_ = editLock;
    Refresh();
}

CPageModel::Entries CPageModel::KeptEntries() const {
    return {rows_, rowCount_, base_};
}

void CPageModel::ApplyTo(CTestItem& item) {
    Entries entries = KeptEntries();
    entries.WriteTo(item);
    base_ = std::move(entries.base);
}

void CPageModel::Entries::WriteTo(CTestItem& item) {
    for (int k = 1; k <= kMaxRows; ++k) {
        item.SetKeyString(CTestItem::NameIndex(k), std::string());
        item.SetKeyString(CTestItem::ValueIndex(k), std::string());
        item.SetKeyString(CTestItem::RequireIndex(k), std::string());
    }
    int k = 0;
    for (int r = 0; r < std::min(rowCount, kMaxRows); ++r) {
        const Row& row = rows[r];
        if (!IsNamed(row.name)) continue;
        ++k;
        item.SetKeyString(CTestItem::NameIndex(k), row.name);
        item.SetKeyString(CTestItem::ValueIndex(k), row.result);
        item.SetKeyString(CTestItem::RequireIndex(k), row.requirements);
        item.SetKeyString(CTestItem::PropertyIndex(k), FormatInt(row.property));
    }
    base = KeyStringsOf(item);
}

void CPageModel::Refresh() {
    allEntered_ = 1;
    for (int r = 1; r <= rowCount_; ++r) {
        const Row& row = rows_[r - 1];
        if (!IsBlank(row.name) && row.resultEntered == 0) {
            allEntered_ = 0;
            break;
        }
    }
    finishEnabled_ = allEntered_ == 1;
    highlightedRow_ = 0;
}

bool CPageModel::Add(std::string_view name, std::string_view requirements) {
    std::string shown = WithoutLineBreaks(name);
    // A row without a name would be dropped when the rows are written back.
    if (!AddEnabled() || IsBlank(shown)) return false;
    ++rowCount_;
    Row& row = rows_[rowCount_ - 1];
    row.name = std::move(shown);
    row.requirements = WithoutLineBreaks(requirements);
    row.resultEntered = 0;
    editLock_ = 1;
    Refresh();
    return true;
}

bool CPageModel::Delete() {
    if (!DeleteEnabled()) return false;
    if (rowCount_ > 1) {
        Row& last = rows_[rowCount_ - 1];
        last.name.clear();
        last.result.clear();
        last.requirements.clear();
        --rowCount_;
    }
    // Pack rows 1..count+1: named rows move up in order, keeping their property and mark.
    const int span = std::min(rowCount_ + 1, kMaxRows);
    int free = 0;
    for (int r = 0; r < span; ++r) {
        if (rows_[r].name.empty()) continue;
        if (r != free) rows_[free] = std::move(rows_[r]);
        ++free;
    }
    if (free < span) {
        for (int r = free; r < span; ++r)
            rows_[r] = Row();
    }
    Refresh();
    return true;
}

bool CPageModel::Finish() {
    if (!finishEnabled_) return false;
    mode_ = kModeFinished;
    finishEnabled_ = false;
    return true;
}

void CPageModel::CellNotification(int row, int column) {
    currentRow_ = row;
    if (!ValidRow(row)) {
        currentRow_ = 1;
        return;
    }
    if (column <= 0) return;
    if (mode_ > 1) rows_[row - 1].resultEntered = 1;
    Refresh();
    highlightedRow_ = row;
    selectedColumn_ = std::min(column, GridLayout::kColumns - 1);
}

bool CPageModel::CellClicked(int row, int column, std::string_view cellText) {
    if (!ValidRow(row)) {
        currentRow_ = 1;
        return false;
    }
    currentRow_ = row;
    if (column == 1) {
        rows_[row - 1].result = std::string(cellText);
        // The row is drawn anew with its normal colours.
        if (highlightedRow_ == row) highlightedRow_ = 0;
    }
    return true;
}

void CPageModel::DecodeClick(std::uint32_t parameter, int* row, int* column) {
    if (row) *row = static_cast<int>(parameter >> 16);
    if (column) *column = static_cast<int>(parameter & 0xFF);
}

bool CPageModel::AcceptDialogResult(int row, std::string_view text) {
    if (!ValidRow(row)) return false;
    rows_[row - 1].result = WithoutCrLf(text);
    if (highlightedRow_ == row) highlightedRow_ = 0;
    return true;
}

int CPageModel::NameColumnWidth() const {
    size_t longest = 0;
    for (const Row& row : rows_)
        longest = std::max(longest, row.name.size());
    constexpr size_t kMaxWidth = 350;
    const size_t width = longest > kMaxWidth / 8 ? kMaxWidth : 8 * longest;
    return std::clamp(static_cast<int>(width), 80, 350);
}

GridLayout CPageModel::Layout() const {
    GridLayout grid;
    grid.rows = rowCount_ + 1;
    const int nameWidth = NameColumnWidth();
    grid.columnWidths = {nameWidth, 440 - nameWidth, 60};
    grid.rowHeights.assign(grid.rows, GridLayout::kRowHeight);
    grid.cells.resize(grid.rows);
    grid.rowProperties.assign(grid.rows, 0);
    grid.cells[0][0].text = "Name";
    grid.cells[0][1].text = "Results";
    grid.cells[0][2].text = "Edit";
    for (auto& header : grid.cells[0])
        header.background = kButtonFaceColor;
    for (int r = 1; r <= rowCount_; ++r) {
        const Row& row = rows_[r - 1];
        auto& cells = grid.cells[r];
        grid.rowProperties[r] = row.property;
        cells[0] = {ShownText(row.name), 0xFFFFFF, 0x000000};
        cells[1] = {ShownText(row.result), GridLayout::kResultBackground,
                    allEntered_ ? ColorRef{0x000000} : GridLayout::kPendingResultText};
        cells[2] = {"!", kButtonFaceColor, GridLayout::kButtonText};
        if (r == highlightedRow_) {
            cells[0].background = GridLayout::kChangedRowBackground;
            cells[1].background = GridLayout::kChangedRowBackground;
        }
    }
    grid.addEnabled = AddEnabled();
    grid.deleteEnabled = DeleteEnabled();
    grid.finishEnabled = finishEnabled_;
    if (highlightedRow_ > 0 && highlightedRow_ <= rowCount_) {
        grid.selectedRow = highlightedRow_;
        grid.selectedColumn = selectedColumn_;
    }
    return grid;
}

}  // namespace quorin
