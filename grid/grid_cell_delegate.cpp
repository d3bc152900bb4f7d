#include "grid/grid_cell_delegate.h"

#include <QLineEdit>
#include <QPainter>

#include "grid/grid_ctrl.h"

namespace quorin {
namespace {

QColor BrushColor(const QVariant& value, const QColor& fallback) {
    if (!value.canConvert<QBrush>()) return fallback;
    const QBrush brush = value.value<QBrush>();
    return brush.style() == Qt::NoBrush ? fallback : brush.color();
}

}  // namespace

CGridCellDelegate::CGridCellDelegate(CGridCtrl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void CGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QRect cell = opt.rect;
    const QColor background =
        BrushColor(index.data(Qt::BackgroundRole), opt.palette.color(QPalette::Base));
    const QColor textColor =
        BrushColor(index.data(Qt::ForegroundRole), opt.palette.color(QPalette::Text));
    const bool button =
        index.data(kCellKindRole).toInt() == static_cast<int>(CGridCtrl::CellKind::kButton);

    painter->save();
    painter->fillRect(cell, background);
    painter->setFont(opt.font);
    painter->setPen(textColor);
    if (button) {
        // A raised face: light top-left edges, dark bottom-right edges.
        const QRect face = cell.adjusted(1, 1, -1, -1);
        painter->setPen(opt.palette.color(QPalette::Light));
        painter->drawLine(face.topLeft(), face.topRight());
        painter->drawLine(face.topLeft(), face.bottomLeft());
        painter->setPen(opt.palette.color(QPalette::Dark));
        painter->drawLine(face.bottomLeft(), face.bottomRight());
        painter->drawLine(face.topRight(), face.bottomRight());
        QFont bold = opt.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(textColor);
        painter->drawText(face, Qt::AlignCenter, opt.text);
    } else {
        const QRect textRect = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
        const QString shown =
            opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    // The selected cell keeps its colours (they carry meaning) and is framed instead.
    if (opt.state & QStyle::State_Selected) {
        QPen frame(opt.palette.color(QPalette::Highlight));
        frame.setWidth(2);
        painter->setPen(frame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QWidget* CGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("gridCellEditor"));
    editor->setFrame(false);
    grid_->editor_ = editor;
    return editor;
}

void CGridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return;
    const QVariant edit = index.data(kEditTextRole);
    line->setText(edit.isValid() ? edit.toString() : index.data(Qt::DisplayRole).toString());
    line->selectAll();
}

void CGridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !index.isValid()) return;
    grid_->EditCommitted(index.row() + grid_->FixedRowCount(), index.column(), line->text());
}

}  // namespace quorin
