#include "grid/grid_ctrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

#include "grid/grid_cell_delegate.h"

namespace quorin {
namespace {

// A cell's colour: invalid while none is set.
QColor ColorOf(const QBrush& brush) {
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new CGridCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the grid for the page's buttons; the arrow keys move between cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    headerHeight_ = horizontalHeader()->sizeHint().height();
    rowProperties_.assign(1, 0);
    connect(this, &QAbstractItemView::clicked, this, &CGridCtrl::OnClicked);
}

std::uint32_t CGridCtrl::PackClick(int row, int column) {
    return (static_cast<std::uint32_t>(row & 0xFFFF) << 16) |
           static_cast<std::uint32_t>(column & 0xFF);
}

void CGridCtrl::SetRowCount(int rows) {
    rows = std::max(rows, fixedRows_);
    setRowCount(rows - fixedRows_);
    rowProperties_.resize(static_cast<size_t>(rows), 0);
}

int CGridCtrl::RowCount() const {
    return rowCount() + fixedRows_;
}

void CGridCtrl::SetColumnCount(int columns) {
    setColumnCount(std::max(columns, 0));
}

int CGridCtrl::ColumnCount() const {
    return columnCount();
}

void CGridCtrl::SetFixedRowCount(int fixed) {
    const int rows = RowCount();
    fixedRows_ = fixed == 0 ? 0 : 1;
    horizontalHeader()->setVisible(fixedRows_ == 1);
    SetRowCount(rows);
}

void CGridCtrl::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount()) return;
    setColumnWidth(column, std::max(width, 0));
}

int CGridCtrl::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    return columnWidth(column);
}

void CGridCtrl::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount()) return;
    height = std::max(height, 0);
    if (IsHeader(row)) {
        headerHeight_ = height;
        horizontalHeader()->setFixedHeight(height);
        return;
    }
    setRowHeight(row - fixedRows_, height);
}

int CGridCtrl::RowHeight(int row) const {
    if (row < 0 || row >= RowCount()) return 0;
    if (IsHeader(row)) return headerHeight_;
    return rowHeight(row - fixedRows_);
}

bool CGridCtrl::ValidCell(int row, int column) const {
    return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount();
}

QTableWidgetItem* CGridCtrl::HeaderItem(int column) const {
    auto* self = const_cast<CGridCtrl*>(this);
    QTableWidgetItem* item = horizontalHeaderItem(column);
    if (!item) {
        item = new QTableWidgetItem();
        self->setHorizontalHeaderItem(column, item);
    }
    return item;
}

QTableWidgetItem* CGridCtrl::DataItem(int row, int column) const {
    auto* self = const_cast<CGridCtrl*>(this);
    QTableWidgetItem* item = this->item(row - fixedRows_, column);
    if (!item) {
        item = new QTableWidgetItem();
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        self->setItem(row - fixedRows_, column, item);
    }
    return item;
}

QTableWidgetItem* CGridCtrl::CellItem(int row, int column) const {
    if (!ValidCell(row, column)) return nullptr;
    return IsHeader(row) ? HeaderItem(column) : DataItem(row, column);
}

void CGridCtrl::SetCellText(int row, int column, const QString& text) {
    QTableWidgetItem* item = CellItem(row, column);
    if (!item) return;
    item->setText(text);
    item->setData(CGridCellDelegate::kEditTextRole, QVariant());
}

QString CGridCtrl::CellText(int row, int column) const {
    const QTableWidgetItem* item = CellItem(row, column);
    return item ? item->text() : QString();
}

void CGridCtrl::SetCellEditText(int row, int column, const QString& text) {
    QTableWidgetItem* item = CellItem(row, column);
    if (!item || IsHeader(row)) return;
    item->setData(CGridCellDelegate::kEditTextRole, text);
}

QString CGridCtrl::CellEditText(int row, int column) const {
    const QTableWidgetItem* item = CellItem(row, column);
    if (!item) return QString();
    const QVariant edit = item->data(CGridCellDelegate::kEditTextRole);
    return edit.isValid() ? edit.toString() : item->text();
}

void CGridCtrl::SetCellBackground(int row, int column, const QColor& color) {
    if (QTableWidgetItem* item = CellItem(row, column)) item->setBackground(QBrush(color));
}

QColor CGridCtrl::CellBackground(int row, int column) const {
    const QTableWidgetItem* item = CellItem(row, column);
    return item ? ColorOf(item->background()) : QColor();
}

void CGridCtrl::SetCellTextColor(int row, int column, const QColor& color) {
    if (QTableWidgetItem* item = CellItem(row, column)) item->setForeground(QBrush(color));
}

QColor CGridCtrl::CellTextColor(int row, int column) const {
    const QTableWidgetItem* item = CellItem(row, column);
    return item ? ColorOf(item->foreground()) : QColor();
}

void CGridCtrl::SetCellKind(int row, int column, CellKind kind) {
    if (!ValidCell(row, column) || IsHeader(row)) return;
    QTableWidgetItem* item = DataItem(row, column);
    item->setData(CGridCellDelegate::kCellKindRole, static_cast<int>(kind));
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (kind == CellKind::kEditable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
}

CGridCtrl::CellKind CGridCtrl::GetCellKind(int row, int column) const {
    if (!ValidCell(row, column) || IsHeader(row)) return CellKind::kReadOnly;
    const QVariant kind = DataItem(row, column)->data(CGridCellDelegate::kCellKindRole);
    switch (kind.toInt()) {
        case static_cast<int>(CellKind::kEditable):
            return CellKind::kEditable;
        case static_cast<int>(CellKind::kButton):
            return CellKind::kButton;
        default:
            return CellKind::kReadOnly;
    }
}

void CGridCtrl::SetGridBackground(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, color);
    setPalette(palette);
}

QColor CGridCtrl::GridBackground() const {
    return palette().color(QPalette::Base);
}

void CGridCtrl::SetRowProperty(int row, int value) {
    if (row < 0 || row >= RowCount()) return;
    rowProperties_[static_cast<size_t>(row)] = value;
}

int CGridCtrl::RowProperty(int row) const {
    if (row < 0 || row >= RowCount()) return 0;
    return rowProperties_[static_cast<size_t>(row)];
}

void CGridCtrl::SelectCell(int row, int column) {
    if (!ValidCell(row, column) || IsHeader(row)) {
        clearSelection();
        setCurrentCell(-1, -1);
        return;
    }
    setCurrentCell(row - fixedRows_, column);
    scrollToItem(item(row - fixedRows_, column));
}

bool CGridCtrl::SelectedCell(int* row, int* column) const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return false;
    if (row) *row = RowOfIndex(selected.front().row());
    if (column) *column = selected.front().column();
    return true;
}

void CGridCtrl::Redraw() {
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

void CGridCtrl::ClickCell(int row, int column) {
    if (!ValidCell(row, column) || IsHeader(row)) return;
    const bool button = GetCellKind(row, column) == CellKind::kButton;
    SelectCell(row, column);
    emit ClickMessage(PackClick(row, column));
    if (!button) emit CellNotify(row, column);
}

bool CGridCtrl::EditCell(int row, int column) {
    if (!ValidCell(row, column) || GetCellKind(row, column) != CellKind::kEditable) return false;
    SelectCell(row, column);
    editItem(item(row - fixedRows_, column));
    return state() == QAbstractItemView::EditingState;
}

QLineEdit* CGridCtrl::CellEditor() const {
    return state() == QAbstractItemView::EditingState ? editor_.data() : nullptr;
}

QString CGridCtrl::TitleTipAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid()) return QString();
    const int row = RowOfIndex(index.row());
    if (GetCellKind(row, index.column()) == CellKind::kButton) return QString();
    const QString text = CellText(row, index.column());
    const int room = visualRect(index).width() - 2 * CGridCellDelegate::kTextMargin;
    return fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

QRect CGridCtrl::CellRect(int row, int column) const {
    if (!ValidCell(row, column)) return QRect();
    if (IsHeader(row)) {
        const QHeaderView* header = horizontalHeader();
        return QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                     header->height());
    }
    return visualRect(model()->index(row - fixedRows_, column));
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (state() != QAbstractItemView::EditingState && current.isValid()) {
        const int row = RowOfIndex(current.row());
        const int column = current.column();
        switch (event->key()) {
            case Qt::Key_Space:
                ClickCell(row, column);
                event->accept();
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (!EditCell(row, column)) ClickCell(row, column);
                event->accept();
                return;
            default:
                break;
        }
    }
    QTableWidget::keyPressEvent(event);
}

bool CGridCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = TitleTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(),
                               visualRect(indexAt(help->pos())));
        }
        return true;
    }
    return QTableWidget::viewportEvent(event);
}

void CGridCtrl::EditCommitted(int row, int column, const QString& text) {
    if (!ValidCell(row, column) || IsHeader(row)) return;
    const QString before = CellEditText(row, column);
    SetCellText(row, column, text);
    if (text != before) pending_ = {row, column};
}

void CGridCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_) editor_ = nullptr;
    QTableWidget::closeEditor(editor, hint);
    const PendingEdit edit = pending_;
    pending_ = PendingEdit();
    if (edit.row < 0) return;
    emit ClickMessage(PackClick(edit.row, edit.column));
    emit CellNotify(edit.row, edit.column);
}

void CGridCtrl::OnClicked(const QModelIndex& index) {
    if (index.isValid()) ClickCell(RowOfIndex(index.row()), index.column());
}

}  // namespace quorin
