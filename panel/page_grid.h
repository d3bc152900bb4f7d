// CPageGrid: the result-entry page ("Enter Results") on the panel's sheet: the grid of one item's
// rows with "Add", "Delete" and "Finish". It shows CPageModel::Layout() after every change and
// passes the tester's actions to the model (component/page_model.h says in which order).
//
// Texts cross between the model's ANSI bytes and the widgets' QStrings here; an edit holding a
// character the code page cannot hold is refused with a message and the row keeps its result.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

class QDialog;
class QPushButton;

namespace quorin {

class CGridCtrl;
class CPageModel;

class CPageGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kResultColumn = 1;
    static constexpr int kButtonColumn = 2;

    // Runs a modal dialog of the page and returns its result code (QDialog::Accepted or
    // QDialog::Rejected).
    using DialogRunner = std::function<int(QDialog&)>;

    // model outlives the page.
    explicit CPageGrid(CPageModel& model, QWidget* parent = nullptr);

    // Lays the grid out from the model: rows, column widths, row heights, texts ("$" shown as a
    // blank), colours, row properties, enabled buttons and the cell to select.
    void ShowModel();

    CGridCtrl* Grid() const { return grid_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* FinishButton() const { return finish_; }

    // How the page runs its dialogs ("Test Results", "Add Results", messages); by default
    // QDialog::exec. Null restores the default.
    void SetDialogRunner(DialogRunner runner);

    // The actions behind the buttons (each does nothing while its button is disabled).
    void AddRow();
    void DeleteRow();
    void FinishEntry();

private:
    void OnClickMessage(quint32 packed);
    void OnCellNotify(int row, int column);
    void EditResultInDialog(int row);
    int RunDialog(QDialog& dialog);
    void ShowMessage(const QString& text);

    CPageModel& model_;
    CGridCtrl* grid_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* finish_;
    DialogRunner runner_;
    // The click before a notification was refused: the notification is dropped too.
    bool dropNextNotify_ = false;
};

}  // namespace quorin
