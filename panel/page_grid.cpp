#include "panel/page_grid.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "component/page_model.h"
#include "grid/grid_ctrl.h"
#include "panel/add_result_dlg.h"
#include "panel/ansi_text.h"
#include "panel/panel_style.h"
#include "panel/result_text_dlg.h"

namespace quorin {

CPageGrid::CPageGrid(CPageModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("pageGrid"));
    setWindowTitle(QStringLiteral("Enter Results"));

    grid_ = new CGridCtrl(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->SetFixedRowCount(1);
    grid_->SetColumnCount(GridLayout::kColumns);

    add_ = new QPushButton(QStringLiteral("Add"), this);
    add_->setObjectName(QStringLiteral("addButton"));
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    delete_->setObjectName(QStringLiteral("deleteButton"));
    finish_ = new QPushButton(QStringLiteral("Finish"), this);
    finish_->setObjectName(QStringLiteral("finishButton"));
    for (QPushButton* button : {add_, delete_, finish_})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(add_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(finish_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    setTabOrder(grid_, add_);
    setTabOrder(add_, delete_);
    setTabOrder(delete_, finish_);
    setFocusProxy(grid_);

    connect(add_, &QPushButton::clicked, this, &CPageGrid::AddRow);
    connect(delete_, &QPushButton::clicked, this, &CPageGrid::DeleteRow);
    connect(finish_, &QPushButton::clicked, this, &CPageGrid::FinishEntry);
    connect(grid_, &CGridCtrl::ClickMessage, this, &CPageGrid::OnClickMessage);
    connect(grid_, &CGridCtrl::CellNotify, this, &CPageGrid::OnCellNotify);
    ShowModel();
}

void CPageGrid::ShowModel() {
    const GridLayout layout = model_.Layout();
    const QPalette& palette = grid_->palette();
    grid_->SetRowCount(layout.rows);
    grid_->SetColumnCount(GridLayout::kColumns);
    grid_->SetGridBackground(ColorOf(layout.background, palette));
    for (int c = 0; c < GridLayout::kColumns; ++c)
        grid_->SetColumnWidth(c, layout.columnWidths[static_cast<size_t>(c)]);
    for (int r = 0; r < layout.rows; ++r) {
        const auto& cells = layout.cells[static_cast<size_t>(r)];
        grid_->SetRowHeight(r, layout.rowHeights[static_cast<size_t>(r)]);
        grid_->SetRowProperty(r, layout.rowProperties[static_cast<size_t>(r)]);
        for (int c = 0; c < GridLayout::kColumns; ++c) {
            const GridCell& cell = cells[static_cast<size_t>(c)];
            grid_->SetCellText(r, c, FromAnsi(cell.text));
            grid_->SetCellBackground(r, c, ColorOf(cell.background, palette));
            grid_->SetCellTextColor(r, c, ColorOf(cell.textColor, palette));
        }
        if (r == 0) continue;
        grid_->SetCellKind(r, 0, CGridCtrl::CellKind::kReadOnly);
        grid_->SetCellKind(r, kResultColumn, CGridCtrl::CellKind::kEditable);
        grid_->SetCellKind(r, kButtonColumn, CGridCtrl::CellKind::kButton);
        // The editor starts with the stored result, "$" and all.
        grid_->SetCellEditText(r, kResultColumn, FromAnsi(model_.RowAt(r).result));
    }
    add_->setEnabled(layout.addEnabled);
    delete_->setEnabled(layout.deleteEnabled);
    finish_->setEnabled(layout.finishEnabled);
    if (layout.selectedRow > 0) grid_->SelectCell(layout.selectedRow, layout.selectedColumn);
    grid_->Redraw();
}

void CPageGrid::SetDialogRunner(DialogRunner runner) {
    runner_ = std::move(runner);
}

int CPageGrid::RunDialog(QDialog& dialog) {
    return runner_ ? runner_(dialog) : dialog.exec();
}

void CPageGrid::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("pageMessage"));
    RunDialog(box);
}

void CPageGrid::AddRow() {
    if (!model_.AddEnabled()) return;
    CAddResultDlg dialog(this);
    if (RunDialog(dialog) == QDialog::Accepted)
        model_.Add(dialog.AnsiName(), dialog.AnsiRequirements());
    ShowModel();
}

void CPageGrid::DeleteRow() {
    model_.Delete();
    ShowModel();
}

void CPageGrid::FinishEntry() {
    model_.Finish();
    ShowModel();
}

void CPageGrid::OnClickMessage(quint32 packed) {
    int row = 0;
    int column = 0;
    CPageModel::DecodeClick(packed, &row, &column);
    if (column == kButtonColumn) {
        if (model_.CellClicked(row, column, std::string())) EditResultInDialog(row);
        ShowModel();
        return;
    }
    if (column != kResultColumn) {
        model_.CellClicked(row, column, std::string());
        return;
    }
    const QString text = grid_->CellEditText(row, column);
    std::string ansi = model_.RowAt(row).result;
    // An unchanged cell keeps its stored bytes, even those the code page cannot show.
    if (text != FromAnsi(ansi)) {
        QString error;
        if (!ToAnsi(text, &ansi, &error, model_.RowAt(row).result)) {
            dropNextNotify_ = true;
            ShowModel();
            ShowMessage(error);
            return;
        }
    }
    model_.CellClicked(row, column, ansi);
}

void CPageGrid::OnCellNotify(int row, int column) {
    if (dropNextNotify_) {
        dropNextNotify_ = false;
        return;
    }
    model_.CellNotification(row, column);
    ShowModel();
}

void CPageGrid::EditResultInDialog(int row) {
    const CPageModel::Row& shown = model_.RowAt(row);
    CResultTextDlg dialog(FromAnsi(shown.name), FromAnsi(shown.result), this);
    dialog.KeepBytesOf(shown.result);
    if (RunDialog(dialog) != QDialog::Accepted) return;
    model_.AcceptDialogResult(row, dialog.AnsiResult());
    model_.CellNotification(row, kButtonColumn);
}

}  // namespace quorin
