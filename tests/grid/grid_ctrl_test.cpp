// The grid control through its public interface: layout values, signals of clicks, keys and
// in-place edits, selection, title tips and how cells are painted.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "grid/grid_ctrl.h"

namespace quorin {
namespace {

using Kind = CGridCtrl::CellKind;

// A shown grid of 1 header row and 3 data rows, 3 columns of 100 pixels: column 0 read-only,
// column 1 edited in place, column 2 a button; with a button after it for focus tests.
class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        grid_ = new CGridCtrl(&window_);
        next_ = new QPushButton(QStringLiteral("Next"), &window_);
        layout->addWidget(grid_);
        layout->addWidget(next_);
        grid_->SetColumnCount(3);
        grid_->SetRowCount(4);
        for (int c = 0; c < 3; ++c) {
            grid_->SetColumnWidth(c, 100);
            grid_->SetCellText(0, c, QStringLiteral("H%1").arg(c));
        }
        for (int r = 0; r < 4; ++r) {
            grid_->SetRowHeight(r, 18);
            if (r == 0) continue;
            grid_->SetCellText(r, 0, QStringLiteral("name %1").arg(r));
            grid_->SetCellText(r, 1, QStringLiteral("result %1").arg(r));
            grid_->SetCellText(r, 2, QStringLiteral("!"));
            grid_->SetCellKind(r, 1, Kind::kEditable);
            grid_->SetCellKind(r, 2, Kind::kButton);
        }
        window_.resize(400, 300);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        // Each signal as "click r c" or "notify r c", in the order of emission.
        QObject::connect(grid_, &CGridCtrl::ClickMessage, [this](quint32 packed) {
            events_.push_back("click " + std::to_string(packed >> 16) + " " +
                              std::to_string(packed & 0xFF));
        });
        QObject::connect(grid_, &CGridCtrl::CellNotify, [this](int row, int column) {
            events_.push_back("notify " + std::to_string(row) + " " + std::to_string(column));
        });
    }

    QPoint Centre(int row, int column) const { return grid_->CellRect(row, column).center(); }
    void Click(int row, int column) {
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, Centre(row, column));
    }

    QWidget window_;
    CGridCtrl* grid_ = nullptr;
    QPushButton* next_ = nullptr;
    std::vector<std::string> events_;
};

TEST(GridClick, PacksTheRowInTheHighWordAndTheColumnInTheLowByte) {
    const std::tuple<int, int, std::uint32_t> cases[] = {{0, 0, 0x00000000u},
                                                         {3, 2, 0x00030002u},
                                                         {15, 1, 0x000F0001u},
                                                         {1, 0x1FF, 0x000100FFu},
                                                         {0x12345, 1, 0x23450001u}};
    for (const auto& [row, column, packed] : cases)
        EXPECT_EQ(CGridCtrl::PackClick(row, column), packed) << row << "," << column;
}

// Row 0 is the header: its height and texts are the header view's.
TEST_F(Grid, HeaderRowIsTheHeaderViewAndCellsOutsideAreIgnored) {
    EXPECT_EQ(
        std::tuple(grid_->horizontalHeader()->height(), grid_->horizontalHeaderItem(2)->text(),
                   grid_->CellText(0, 2), grid_->GetCellKind(0, 1)),
        std::tuple(18, "H2", "H2", Kind::kReadOnly));
    EXPECT_FALSE(grid_->CellBackground(1, 0).isValid());

    for (const auto& [row, column] : std::vector<std::pair<int, int>>{
             {-1, 0}, {4, 0}, {1, -1}, {1, 3}, {0x7FFFFFFF, 0}, {1, -0x7FFFFFFF - 1}}) {
        grid_->SetCellText(row, column, QStringLiteral("x"));
        grid_->SetCellBackground(row, column, Qt::red);
        grid_->SetCellKind(row, column, Kind::kEditable);
        grid_->SetColumnWidth(column, 5);
        grid_->SetRowHeight(row, 5);
        grid_->ClickCell(row, column);
        EXPECT_EQ(std::tuple(grid_->CellText(row, column), grid_->CellBackground(row, column),
                             grid_->EditCell(row, column)),
                  std::tuple("", QColor(), false));
    }
    for (int row : {-1, 4, 0x7FFFFFFF}) {
        grid_->SetRowProperty(row, 5);
        EXPECT_EQ(grid_->RowProperty(row), 0);
    }
    EXPECT_TRUE(events_.empty());

    // Rows come and go; new rows start empty with property 0, the header row stays.
    grid_->SetRowProperty(3, 7);
    grid_->SetRowCount(2);
    grid_->SetRowCount(4);
    EXPECT_EQ(std::pair(grid_->RowProperty(3), grid_->CellText(3, 0)), std::pair(0, QString()));
    grid_->SetRowCount(-3);
    EXPECT_EQ(grid_->RowCount(), 1);
}

TEST_F(Grid, ClicksSendTheClickMessageThenTheNotificationAndButtonsOnlyTheMessage) {
    Click(2, 0);
    Click(3, 1);
    Click(1, 2);
    QTest::mouseClick(grid_->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      grid_->CellRect(0, 1).center());
    EXPECT_EQ(events_, (std::vector<std::string>{"click 2 0", "notify 2 0", "click 3 1",
                                                 "notify 3 1", "click 1 2"}));
    int row = 0;
    int column = 0;
    ASSERT_TRUE(grid_->SelectedCell(&row, &column));
    EXPECT_EQ(std::pair(row, column), std::pair(1, 2));
}

TEST_F(Grid, KeysMoveClickAndEditCellsAndTabLeavesTheGrid) {
    grid_->setFocus();
    grid_->SelectCell(1, 0);
    QTest::keyClick(grid_, Qt::Key_Down);
    QTest::keyClick(grid_, Qt::Key_Space);
    QTest::keyClick(grid_, Qt::Key_Right);
    QTest::keyClick(grid_, Qt::Key_Right);
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(events_, (std::vector<std::string>{"click 2 0", "notify 2 0", "click 2 2"}));

    QTest::keyClick(grid_, Qt::Key_Left);
    QTest::keyClick(grid_, Qt::Key_Return);
    ASSERT_NE(grid_->CellEditor(), nullptr);
    EXPECT_EQ(grid_->CellEditor()->text(), "result 2");
    QTest::keyClick(grid_->CellEditor(), Qt::Key_Escape);
    EXPECT_EQ(grid_->CellEditor(), nullptr);

    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_TRUE(next_->hasFocus());
}

TEST_F(Grid, AnEditThatChangesTheTextIsReportedAfterTheEditorClosed) {
    grid_->SetCellText(2, 1, QStringLiteral("a b"));
    grid_->SetCellEditText(2, 1, QStringLiteral("a$b"));
    bool editorOpenInHandler = true;
    QObject::connect(grid_, &CGridCtrl::CellNotify,
                     [&] { editorOpenInHandler = grid_->CellEditor() != nullptr; });

    // A double click arrives as a click followed by the double-click event.
    Click(2, 1);
    QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, Centre(2, 1));
    ASSERT_NE(grid_->CellEditor(), nullptr);
    EXPECT_EQ(grid_->CellEditor()->text(), "a$b");
    events_.clear();
    QTest::keyClicks(grid_->CellEditor(), QStringLiteral("new"));
    QTest::keyClick(grid_->CellEditor(), Qt::Key_Return);
    // The item view commits a Return edit from the event loop.
    QCoreApplication::processEvents();
    EXPECT_EQ(events_, (std::vector<std::string>{"click 2 1", "notify 2 1"}));
    EXPECT_FALSE(editorOpenInHandler);
    EXPECT_EQ(std::pair(grid_->CellText(2, 1), grid_->CellEditText(2, 1)),
              std::pair(QString("new"), QString("new")));

    // The next edit gets an editor of its own.
    events_.clear();
    ASSERT_TRUE(grid_->EditCell(3, 1));
    EXPECT_EQ(grid_->CellEditor()->text(), "result 3");
    grid_->CellEditor()->setText(QStringLiteral("newer"));
    QTest::keyClick(grid_->CellEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(events_, (std::vector<std::string>{"click 3 1", "notify 3 1"}));

    // Unchanged or cancelled edits report nothing; read-only and button cells never edit.
    events_.clear();
    ASSERT_TRUE(grid_->EditCell(2, 1));
    QTest::keyClick(grid_->CellEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid_->EditCell(2, 1));
    QTest::keyClicks(grid_->CellEditor(), QStringLiteral("zzz"));
    QTest::keyClick(grid_->CellEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(events_.empty());
    EXPECT_EQ(grid_->CellText(2, 1), "new");
    EXPECT_FALSE(grid_->EditCell(2, 0) || grid_->EditCell(2, 2) || grid_->EditCell(0, 1));
}

TEST_F(Grid, SelectsDataCellsScrollsToThemAndClearsForTheHeader) {
    grid_->SetRowCount(40);
    for (int r = 1; r < 40; ++r)
        grid_->SetRowHeight(r, 18);
    grid_->SelectCell(39, 1);
    int row = 0;
    int column = 0;
    ASSERT_TRUE(grid_->SelectedCell(&row, &column));
    EXPECT_EQ(std::pair(row, column), std::pair(39, 1));
    EXPECT_GT(grid_->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(grid_->viewport()->rect().contains(grid_->CellRect(39, 1)));
    grid_->SelectCell(0, 1);
    EXPECT_FALSE(grid_->SelectedCell(&row, &column));
    EXPECT_EQ(row, 39);
}

TEST_F(Grid, TitleTipShowsTheWholeTextOfACutOffCellOnly) {
    const QString longText = QString(60, QLatin1Char('W'));
    grid_->SetCellText(1, 0, longText);
    grid_->SetCellText(1, 2, longText);
    EXPECT_EQ((QStringList{grid_->TitleTipAt(Centre(1, 0)), grid_->TitleTipAt(Centre(2, 0)),
                           grid_->TitleTipAt(Centre(1, 2)), grid_->TitleTipAt(QPoint(390, 290))}),
              (QStringList{longText, "", "", ""}));
}

TEST_F(Grid, PaintsCellColoursAndKeepsThemOnTheSelectedCell) {
    grid_->SetCellText(2, 0, QString());
    grid_->SetCellBackground(2, 0, QColor(0xF1, 0xF9, 0x62));
    grid_->SetGridBackground(QColor(0xE0, 0xFF, 0xFF));
    grid_->SelectCell(2, 0);
    const QImage image = grid_->viewport()->grab().toImage();
    const QRect cell = grid_->CellRect(2, 0);
    EXPECT_EQ(QColor(image.pixel(cell.center())), QColor(0xF1, 0xF9, 0x62));
    // The area below the last row shows the grid background.
    EXPECT_EQ(QColor(image.pixel(10, image.height() - 5)), QColor(0xE0, 0xFF, 0xFF));
}

}  // namespace
}  // namespace quorin
