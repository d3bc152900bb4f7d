// The result-entry page on its grid: what the widgets show of the model, and the tester's
// actions (cells, "!", Add, Delete, Finish) through the widgets into the model.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "component/page_model.h"
#include "grid/grid_ctrl.h"
#include "panel/page_grid.h"
#include "tests/panel/panel_fixture.h"

namespace quorin::test {
namespace {

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0, 0, 0);
const QColor kResultBackground(0xFF, 0xFF, 0xF0);
const QColor kPendingText(0x7D, 0x7D, 0x7D);
const QColor kChangedRow(0xF1, 0xF9, 0x62);
const QColor kRed(0xFF, 0, 0);

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
    // Types text into the result cell of row with the in-place editor and commits it.
    void TypeResult(int row, const QString& text) {
        ASSERT_TRUE(Grid()->EditCell(row, 1));
        Grid()->CellEditor()->setText(text);
        QTest::keyClick(Grid()->CellEditor(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    CPageModel model_;
    std::unique_ptr<CPageGrid> page_;
    DialogScript script_;
};

TEST_F(Page, ShowsTheModelsLayoutOnTheGrid) {
    Load(OwnItem({"Zone 1", "A much longer parameter name"}, {"a$b", ""}), 2);
    CGridCtrl* grid = Grid();
    EXPECT_EQ(page_->windowTitle(), "Enter Results");
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->FixedRowCount(), 1);
    EXPECT_EQ(grid->ColumnWidth(0), 8 * 28);
    EXPECT_EQ(grid->ColumnWidth(1), 440 - 8 * 28);
    EXPECT_EQ(grid->ColumnWidth(2), 60);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(grid->RowHeight(r), 18) << r;
    EXPECT_EQ(grid->CellText(0, 0), "Name");
    EXPECT_EQ(grid->CellText(0, 1), "Results");
    EXPECT_EQ(grid->CellText(0, 2), "Edit");
    EXPECT_EQ(grid->GridBackground(), QColor(0xFF, 0xFF, 0xE0));

    EXPECT_EQ(grid->CellText(1, 0), "Zone 1");
    EXPECT_EQ(grid->CellText(1, 1), "a b");
    EXPECT_EQ(grid->CellEditText(1, 1), "a$b");
    EXPECT_EQ(grid->CellText(2, 2), "!");
    EXPECT_EQ(grid->CellBackground(1, 0), kWhite);
    EXPECT_EQ(grid->CellTextColor(1, 0), kBlack);
    EXPECT_EQ(grid->CellBackground(1, 1), kResultBackground);
    EXPECT_EQ(grid->CellTextColor(1, 1), kPendingText);
    EXPECT_EQ(grid->CellBackground(2, 2), grid->palette().color(QPalette::Button));
    EXPECT_EQ(grid->CellTextColor(2, 2), kRed);
    EXPECT_EQ(grid->GetCellKind(1, 0), CGridCtrl::CellKind::kReadOnly);
    EXPECT_EQ(grid->GetCellKind(1, 1), CGridCtrl::CellKind::kEditable);
    EXPECT_EQ(grid->GetCellKind(1, 2), CGridCtrl::CellKind::kButton);
    EXPECT_EQ(grid->RowProperty(1), 1);
    EXPECT_EQ(grid->RowProperty(2), 2);

    // Clicking the cell takes the stored text, not the one shown.
    Click(1, 1);
    EXPECT_EQ(model_.RowAt(1).result, "a$b");
    EXPECT_EQ(grid->CellText(1, 1), "a b");
}

TEST_F(Page, EnablesAddDeleteAndFinishFromTheModel) {
    Load(OwnItem({"A"}), 0, 1);
    EXPECT_TRUE(page_->AddButton()->isEnabled());
    EXPECT_FALSE(page_->DeleteButton()->isEnabled());
    EXPECT_FALSE(page_->FinishButton()->isEnabled());
    Load(OwnItem(std::vector<std::string>(15, "n")), 0, 0);
    EXPECT_FALSE(page_->AddButton()->isEnabled());
    EXPECT_TRUE(page_->DeleteButton()->isEnabled());
    page_->AddRow();
    EXPECT_EQ(script_.Shown(), 0);
    Load(OwnItem({}), 2, 0);
    EXPECT_TRUE(page_->FinishButton()->isEnabled());
}

TEST_F(Page, ModeTwoMarksChangedRowsUntilFinishEndsTheEntry) {
    Load(OwnItem({"A", "B"}), 2);
    Click(1, 1);
    EXPECT_EQ(model_.RowAt(1).resultEntered, 1);
    EXPECT_EQ(Grid()->CellBackground(1, 0), kChangedRow);
    EXPECT_EQ(Grid()->CellBackground(1, 1), kChangedRow);
    EXPECT_EQ(Grid()->CellBackground(2, 1), kResultBackground);
    int row = 0;
    int column = 0;
    ASSERT_TRUE(Grid()->SelectedCell(&row, &column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
    EXPECT_FALSE(page_->FinishButton()->isEnabled());

    TypeResult(2, QStringLiteral("ok"));
    EXPECT_EQ(model_.RowAt(2).result, "ok");
    EXPECT_TRUE(page_->FinishButton()->isEnabled());
    EXPECT_EQ(Grid()->CellTextColor(1, 1), kBlack);
    QTest::mouseClick(page_->FinishButton(), Qt::LeftButton);
    EXPECT_EQ(model_.Mode(), CPageModel::kModeFinished);
    EXPECT_FALSE(page_->FinishButton()->isEnabled());

    // Outside mode 2 a click marks nothing.
    Load(OwnItem({"A"}), 0);
    Click(1, 1);
    EXPECT_EQ(model_.RowAt(1).resultEntered, 0);
    EXPECT_FALSE(page_->FinishButton()->isEnabled());
}

TEST_F(Page, AddAppendsRowsWithoutLineBreaksUpToFifteen) {
    Load(OwnItem({"A"}), 2);
    script_.Then([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("New"));
        Edit(dialog, "requirementsEdit")->setPlainText(QStringLiteral("Line 1\nLine 2"));
        return Press(dialog, "okButton");
    });
    script_.Then([](QDialog& dialog) { return Press(dialog, "cancelButton"); });
    QTest::mouseClick(page_->AddButton(), Qt::LeftButton);
    QTest::mouseClick(page_->AddButton(), Qt::LeftButton);
    EXPECT_EQ(model_.RowCount(), 2);
    EXPECT_EQ(Grid()->RowCount(), 3);
    EXPECT_EQ(Grid()->CellText(2, 0), "New");
    EXPECT_EQ(model_.RowAt(2).requirements, "Line 1Line 2");
    EXPECT_FALSE(page_->DeleteButton()->isEnabled());

    for (int i = 0; i < 13; ++i)
        script_.Then([](QDialog& dialog) { return Press(dialog, "okButton"); });
    for (int i = 0; i < 14; ++i)
        page_->AddRow();
    EXPECT_EQ(model_.RowCount(), 15);
    EXPECT_EQ(Grid()->RowCount(), 16);
    EXPECT_FALSE(page_->AddButton()->isEnabled());
}

TEST_F(Page, DeleteDropsTheLastRowPacksNamedRowsAndKeepsOne) {
    // Rows A, (blank), B, C: C goes, B moves up to row 2.
    model_.LoadFromItem(OwnItem({"A"}), 2, 0);
    ASSERT_TRUE(model_.Add("", ""));
    ASSERT_TRUE(model_.Add("B", ""));
    ASSERT_TRUE(model_.Add("C", ""));
    model_.SetEditLock(0);
    page_->ShowModel();
    QTest::mouseClick(page_->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(Grid()->RowCount(), 4);
    EXPECT_EQ(Grid()->CellText(1, 0), "A");
    EXPECT_EQ(Grid()->CellText(2, 0), "B");
    EXPECT_EQ(Grid()->CellText(3, 0), "");

    Load(OwnItem({"A", "B"}), 2);
    page_->DeleteRow();
    page_->DeleteRow();
    EXPECT_EQ(Grid()->RowCount(), 2);
    EXPECT_EQ(Grid()->CellText(1, 0), "A");
}

TEST_F(Page, EditButtonRoundTripStoresTheDialogTextWithoutLineBreaks) {
    Load(OwnItem({std::string(500, 'N'), "B"}, {std::string(400, 'r'), "b"}), 2);
    script_.Then([](QDialog& dialog) {
        const QString name = dialog.findChild<QLabel*>(QStringLiteral("nameLabel"))->text();
        EXPECT_EQ(name, QStringLiteral("Name:\n") + QString(400, QLatin1Char('N')) +
                            QLatin1Char('\n') + QString(100, QLatin1Char('N')));
        QPlainTextEdit* edit = Edit(dialog, "resultEdit");
        EXPECT_EQ(edit->toPlainText(), QString(368, QLatin1Char('r')) + QLatin1Char('\n') +
                                           QString(32, QLatin1Char('r')));
        edit->setPlainText(QStringLiteral("Line one\nLine two"));
        return Press(dialog, "okButton");
    });
    script_.Then([](QDialog& dialog) {
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("dropped"));
        return Press(dialog, "cancelButton");
    });
    Click(1, 2);
    EXPECT_EQ(model_.RowAt(1).result, "Line oneLine two");
    EXPECT_EQ(Grid()->CellText(1, 1), "Line oneLine two");
    EXPECT_EQ(model_.RowAt(1).resultEntered, 1);
    EXPECT_EQ(Grid()->CellBackground(1, 1), kChangedRow);
    Click(2, 2);
    EXPECT_EQ(model_.RowAt(2).result, "b");
    EXPECT_EQ(model_.RowAt(2).resultEntered, 0);
    EXPECT_EQ(model_.CurrentRow(), 2);
    EXPECT_EQ(script_.Shown(), 2);
}

TEST_F(Page, ChineseTextsShowAndEditsGoBackInTheCodePage) {
    // GBK bytes of 外观检查 and 合格.
    const std::string name = "\xCD\xE2\xB9\xDB\xBC\xEC\xB2\xE9";
    Load(OwnItem({name}, {"Pass"}), 2);
    EXPECT_EQ(Grid()->CellText(1, 0), QStringLiteral("外观检查"));
    TypeResult(1, QStringLiteral("合格"));
    EXPECT_EQ(model_.RowAt(1).result, "\xBA\xCF\xB8\xF1");
    EXPECT_EQ(Grid()->CellText(1, 1), QStringLiteral("合格"));
}

TEST_F(Page, AnEditTheCodePageCannotHoldIsRefusedWithAMessage) {
    Load(OwnItem({"A"}, {"Pass"}), 2);
    script_.Then([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        EXPECT_NE(box, nullptr);
        EXPECT_EQ(box ? box->text() : QString(),
                  QStringLiteral("The character '😀' cannot be stored in the test item (code "
                                 "page GBK). Please remove it."));
        return QDialog::Accepted;
    });
    TypeResult(1, QStringLiteral("ok 😀"));
    EXPECT_EQ(model_.RowAt(1).result, "Pass");
    EXPECT_EQ(model_.RowAt(1).resultEntered, 0);
    EXPECT_EQ(Grid()->CellText(1, 1), "Pass");

    // The result dialog keeps itself open with the message until the text can be stored.
    script_.Then([](QDialog& dialog) {
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("✔ 😀"));
        EXPECT_EQ(Press(dialog, "okButton"), QDialog::Rejected);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("errorLabel"))->text(),
                  QStringLiteral("The character '✔' cannot be stored in the test item (code "
                                 "page GBK). Please remove it."));
        Edit(dialog, "resultEdit")->setPlainText(QStringLiteral("Fixed"));
        return Press(dialog, "okButton");
    });
    Click(1, 2);
    EXPECT_EQ(model_.RowAt(1).result, "Fixed");
}

}  // namespace
}  // namespace quorin::test
