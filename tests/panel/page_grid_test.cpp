// The result-entry page on its grid: what the widgets show of the model, and the tester's
// actions (cells, "!", Add, Delete, Finish) through the widgets into the model.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "component/page_model.h"
#include "panel/page_grid.h"
#include "tests/panel/panel_fixture.h"

namespace quorin::test {
namespace {

const QColor kResultBackground(0xFF, 0xFF, 0xF0);
const QColor kChangedRow(0xF1, 0xF9, 0x62);
const QString kGbkRefusal = QStringLiteral(
    "The character '%1' cannot be stored in the test item (code page GBK). "
    "Please remove it.");

class Page : public ::testing::Test {
protected:
    void SetUp() override {
        page_ = std::make_unique<CPageGrid>(model_);
        page_->SetDialogRunner([this](QDialog& dialog) { return script_.Run(dialog); });
        page_->resize(560, 400);
        page_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    }
    void TearDown() override { EXPECT_TRUE(script_.Done()); }

    void Load(const CTestItem& item, int mode = 2, int editLock = 0) {
        model_.LoadFromItem(item, mode, editLock);
        page_->ShowModel();
    }
    CGridCtrl* Grid() const { return page_->Grid(); }
    void Click(int row, int column) {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                          Grid()->CellRect(row, column).center());
    }
    // Add, Delete and Finish enabled.
    std::vector<bool> Buttons() const {
        return {page_->AddButton()->isEnabled(), page_->DeleteButton()->isEnabled(),
                page_->FinishButton()->isEnabled()};
    }

    CPageModel model_;
    std::unique_ptr<CPageGrid> page_;
    DialogScript script_;
};

TEST_F(Page, ShowsTheModelsLayoutOnTheGrid) {
    Load(OwnItem({"Zone 1", "A much longer parameter name"}, {"a$b", ""}), 2);
    CGridCtrl* grid = Grid();
    EXPECT_EQ(page_->windowTitle(), "Enter Results");
    EXPECT_EQ(grid->GridBackground(), QColor(0xFF, 0xFF, 0xE0));
    // Rows, fixed rows, column widths, row heights and properties.
    EXPECT_EQ((std::vector<int>{grid->RowCount(), grid->FixedRowCount(), grid->ColumnWidth(0),
                                grid->ColumnWidth(1), grid->ColumnWidth(2), grid->RowHeight(0),
                                grid->RowHeight(1), grid->RowHeight(2), grid->RowProperty(1),
                                grid->RowProperty(2)}),
              (std::vector<int>{3, 1, 8 * 28, 440 - 8 * 28, 60, 18, 18, 18, 1, 2}));
    using Kind = CGridCtrl::CellKind;
    const QColor button = grid->palette().color(QPalette::Button);
    // The result shows "$" as a blank; the pending result text is grey until entered.
    const std::tuple<int, int, QString, QColor, QColor, Kind> cells[] = {
        {0, 0, "Name", {}, {}, {}},
        {0, 1, "Results", {}, {}, {}},
        {0, 2, "Edit", {}, {}, {}},
        {1, 0, "Zone 1", Qt::white, Qt::black, Kind::kReadOnly},
        {1, 1, "a b", kResultBackground, QColor(0x7D, 0x7D, 0x7D), Kind::kEditable},
        {1, 2, "!", button, Qt::red, Kind::kButton},
        {2, 2, "!", button, Qt::red, Kind::kButton},
    };
    for (const auto& [r, c, text, background, color, kind] : cells) {
        EXPECT_EQ(grid->CellText(r, c), text) << r << "," << c;
        if (r == 0) continue;
        EXPECT_EQ(std::tuple(grid->CellBackground(r, c), grid->CellTextColor(r, c)),
                  std::tuple(background, color))
            << r << "," << c;
        EXPECT_TRUE(grid->GetCellKind(r, c) == kind) << r << "," << c;
    }
    EXPECT_EQ(grid->CellEditText(1, 1), "a$b");
    // Clicking the cell takes the stored text, not the one shown.
    Click(1, 1);
    EXPECT_EQ(model_.RowAt(1).result, "a$b");
    EXPECT_EQ(grid->CellText(1, 1), "a b");
}

TEST_F(Page, EnablesAddDeleteAndFinishFromTheModel) {
    Load(OwnItem({"A"}), 0, 1);
    EXPECT_EQ(Buttons(), (std::vector<bool>{true, false, false}));
    Load(OwnItem(std::vector<std::string>(15, "n")), 0, 0);
    EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, false}));
    page_->AddRow();  // full: no dialog
    EXPECT_EQ(script_.Shown(), 0);
    Load(OwnItem({}), 2, 0);
    EXPECT_TRUE(page_->FinishButton()->isEnabled());
}

TEST_F(Page, ModeTwoMarksChangedRowsUntilFinishEndsTheEntry) {
    Load(OwnItem({"A", "B"}), 2);
    Click(1, 1);
    int row = 0, column = 0;
    ASSERT_TRUE(Grid()->SelectedCell(&row, &column));
    EXPECT_EQ(std::tuple(model_.RowAt(1).resultEntered, row, column, Grid()->CellBackground(1, 0),
                         Grid()->CellBackground(1, 1), Grid()->CellBackground(2, 1),
                         page_->FinishButton()->isEnabled()),
              std::tuple(1, 1, 1, kChangedRow, kChangedRow, kResultBackground, false));

    TypeResult(Grid(), 2, QStringLiteral("ok"));
    EXPECT_EQ(std::tuple(model_.RowAt(2).result, page_->FinishButton()->isEnabled(),
                         Grid()->CellTextColor(1, 1)),
              std::tuple("ok", true, QColor(Qt::black)));
    QTest::mouseClick(page_->FinishButton(), Qt::LeftButton);
    EXPECT_EQ(std::pair(model_.Mode(), page_->FinishButton()->isEnabled()),
              std::pair(int(CPageModel::kModeFinished), false));

    // Outside mode 2 a click marks nothing.
    Load(OwnItem({"A"}), 0);
    Click(1, 1);
    EXPECT_EQ(std::pair(model_.RowAt(1).resultEntered, page_->FinishButton()->isEnabled()),
              std::pair(0, false));
}

TEST_F(Page, AddAndDeleteButtonsChangeTheRowsThroughTheDialog) {
    Load(OwnItem({"A", "B"}), 2);
    script_.Then(AddRow("New", "Line 1\nLine 2"));
    script_.Then([](QDialog& dialog) { return Press(dialog, "cancelButton"); });
    QTest::mouseClick(page_->AddButton(), Qt::LeftButton);
    QTest::mouseClick(page_->AddButton(), Qt::LeftButton);
    // Adding locks the editing.
    EXPECT_EQ(std::tuple(model_.RowCount(), Grid()->RowCount(), Grid()->CellText(3, 0),
                         model_.RowAt(3).requirements, page_->DeleteButton()->isEnabled()),
              std::tuple(3, 4, "New", "Line 1Line 2", false));

    Load(OwnItem({"A", "B"}), 2);
    QTest::mouseClick(page_->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(std::pair(Grid()->RowCount(), Grid()->CellText(1, 0)), std::pair(2, QString("A")));
}

TEST_F(Page, EditButtonRoundTripStoresTheDialogTextWithoutLineBreaks) {
    Load(OwnItem({"A", "B"}, {"a", "b"}), 2);
    script_.Then([](QDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "nameLabel")->text(), "Name:\nA");
        QPlainTextEdit* edit = Edit(dialog, "resultEdit");
        EXPECT_EQ(edit->toPlainText(), "a");
        edit->setPlainText(QStringLiteral("Line one\nLine two"));
        return Press(dialog, "okButton");
    });
    script_.Then([](QDialog& dialog) {
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("dropped"));
        return Press(dialog, "cancelButton");
    });
    Click(1, 2);
    EXPECT_EQ(std::tuple(model_.RowAt(1).result, model_.RowAt(1).resultEntered,
                         Grid()->CellText(1, 1), Grid()->CellBackground(1, 1)),
              std::tuple("Line oneLine two", 1, "Line oneLine two", kChangedRow));
    Click(2, 2);
    EXPECT_EQ(std::tuple(model_.RowAt(2).result, model_.RowAt(2).resultEntered, model_.CurrentRow(),
                         script_.Shown()),
              std::tuple("b", 0, 2, 2));
}

TEST_F(Page, AnEditTheCodePageCannotHoldIsRefusedWithAMessage) {
    Load(OwnItem({"A"}, {"Pass"}), 2);
    script_.Then([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        EXPECT_EQ(box ? box->text() : QString(), kGbkRefusal.arg(QStringLiteral("😀")));
        return QDialog::Accepted;
    });
    TypeResult(Grid(), 1, QStringLiteral("ok 😀"));
    EXPECT_EQ(
        std::tuple(model_.RowAt(1).result, model_.RowAt(1).resultEntered, Grid()->CellText(1, 1)),
        std::tuple("Pass", 0, "Pass"));

    // The result dialog keeps itself open with the message until the text can be stored.
    script_.Then([](QDialog& dialog) {
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("✔ 😀"));
        EXPECT_EQ(Press(dialog, "okButton"), QDialog::Rejected);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Child<QLabel>(dialog, "errorLabel")->text(),
                  kGbkRefusal.arg(QStringLiteral("✔")));
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("Fixed"));
        return Press(dialog, "okButton");
    });
    Click(1, 2);
    EXPECT_EQ(model_.RowAt(1).result, "Fixed");
}

}  // namespace
}  // namespace quorin::test
