// How CGridCtrl draws and edits its cells: each cell in its own colours (a selected cell keeps
// them and gets a frame), a button cell as a raised button, text cut off with an ellipsis, and a
// frameless line editor that starts with the cell's edit text.
#pragma once

#include <QStyledItemDelegate>

namespace quorin {

class CGridCtrl;

class CGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Item data roles beyond Qt's: the in-place editor's start text and the cell kind.
    static constexpr int kEditTextRole = Qt::UserRole + 1;
    static constexpr int kCellKindRole = Qt::UserRole + 2;
    // Space between a cell's left edge and its text.
    static constexpr int kTextMargin = 3;

    explicit CGridCellDelegate(CGridCtrl* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    CGridCtrl* grid_;
};

}  // namespace quorin
