// CGridCtrl: the editable grid in which the result-entry page shows its rows. Cells carry a text,
// a background and a text colour; a cell is read-only, edited in place or a push button. The
// grid has one fixed header row (or none), and every row carries an integer property that its
// owner sets and reads back.
//
// Rows are numbered as the owner sees them: with a fixed row, row 0 is the header and the data
// rows are 1..RowCount()-1. Calls with a row or column outside the grid do nothing, and getters
// then return an empty text, an invalid colour or 0.
//
// What the grid reports: a click on a cell (mouse, Space, Return on a cell that is not edited in
// place) and an in-place edit that changed a cell's text each emit ClickMessage(PackClick(row,
// column)) and then CellNotify(row, column); a button cell emits only ClickMessage. Signals of an
// edit come after the editor has closed, so handlers may open dialogs.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTableWidget>

#include <cstdint>
#include <vector>

namespace quorin {

class CGridCtrl : public QTableWidget {
    Q_OBJECT
public:
    enum class CellKind { kReadOnly, kEditable, kButton };

    explicit CGridCtrl(QWidget* parent = nullptr);

    // The click message parameter: the row in the high word, the column in the low byte.
    static std::uint32_t PackClick(int row, int column);

    // Rows including the fixed row; a count below the fixed row count is raised to it.
    void SetRowCount(int rows);
    int RowCount() const;
    // Columns; negative counts read as 0.
    void SetColumnCount(int columns);
    int ColumnCount() const;
    // 1: row 0 is a fixed header that stays in view while scrolling; 0: no header. Other counts
    // read as 1.
    void SetFixedRowCount(int fixed);
    int FixedRowCount() const { return fixedRows_; }

    // Widths and heights in pixels; negative values read as 0.
    void SetColumnWidth(int column, int width);
    int ColumnWidth(int column) const;
    void SetRowHeight(int row, int height);
    int RowHeight(int row) const;

    // The text shown in the cell.
    void SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    // The text the in-place editor starts with (the owner's stored text when the shown text is
    // a display form of it). Setting the shown text resets it to that text; after an edit it is
    // the edited text.
    void SetCellEditText(int row, int column, const QString& text);
    QString CellEditText(int row, int column) const;
    void SetCellBackground(int row, int column, const QColor& color);
    QColor CellBackground(int row, int column) const;
    void SetCellTextColor(int row, int column, const QColor& color);
    QColor CellTextColor(int row, int column) const;
    // Header cells are always read-only.
    void SetCellKind(int row, int column, CellKind kind);
    CellKind GetCellKind(int row, int column) const;

    // The colour of the area that no cell covers.
    void SetGridBackground(const QColor& color);
    QColor GridBackground() const;

    // A value the owner keeps with each row (0 for new rows and the header).
    void SetRowProperty(int row, int value);
    int RowProperty(int row) const;

    // Makes the data cell current and selected and scrolls it into view; a header cell or a cell
    // outside the grid clears the selection.
    void SelectCell(int row, int column);
    // The selected data cell; false (row and column untouched) when none is selected.
    bool SelectedCell(int* row, int* column) const;
    // Repaints the cells now (the owner changed many of them).
    void Redraw();

    // Does what a click on the data cell does (signals as above); nothing for a header cell or a
    // cell outside the grid.
    void ClickCell(int row, int column);
    // Starts the in-place editor on an editable data cell; false when the cell is not editable.
    bool EditCell(int row, int column);
    // The in-place editor while one is open (for keyboard handling and tests).
    QLineEdit* CellEditor() const;

    // The title tip for a point of the viewport: the cell's whole text when it does not fit the
    // cell, else an empty text.
    QString TitleTipAt(const QPoint& viewportPos) const;
    // The cell's rectangle in viewport coordinates (header cells: header coordinates).
    QRect CellRect(int row, int column) const;

signals:
    void ClickMessage(quint32 packed);
    void CellNotify(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class CGridCellDelegate;

    bool IsHeader(int row) const { return fixedRows_ == 1 && row == 0; }
    bool ValidCell(int row, int column) const;
    // The table item of a data cell (made on first use); null for header or outside cells.
    QTableWidgetItem* DataItem(int row, int column) const;
    QTableWidgetItem* HeaderItem(int column) const;
    QTableWidgetItem* CellItem(int row, int column) const;
    int RowOfIndex(int tableRow) const { return tableRow + fixedRows_; }
    // The delegate's commit: remembered until the editor has closed.
    void EditCommitted(int row, int column, const QString& text);
    void OnClicked(const QModelIndex& index);

    // The open in-place editor (closed ones linger until deleted later).
    QPointer<QLineEdit> editor_;
    int fixedRows_ = 1;
    int headerHeight_ = 0;
    std::vector<int> rowProperties_;
    struct PendingEdit {
        int row = -1;
        int column = -1;
    } pending_;
};

}  // namespace quorin
