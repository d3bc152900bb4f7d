// The component object with the Qt panel view, as a host reaches it through IEmbeddedPanel and
// ITestItemEdit: the panel inside a host widget, entries applied back into the item texts,
// drawings in host windows and keypad commands.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <QTabWidget>

#include <string>
#include <thread>

#include "panel/drawing_widget.h"
#include "panel/page_grid.h"
#include "panel/panel_registration.h"
#include "panel/panel_style.h"
#include "tests/component/component_fixture.h"
#include "tests/panel/panel_fixture.h"

namespace quorin::test {
namespace {

// Counts how many of the widget's pixels in the band of rows top..bottom-1 are dark.
int InkInRows(const QImage& image, int top, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 160;
    return ink;
}

class PanelView : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPanelView(); }
    static void TearDownTestSuite() { SetPanelViewFactory(nullptr); }
    void SetUp() override {
        host_.resize(1000, 700);
        host_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
    }

    // Loads text, creates the panel in the host at (10, 20) and shows item index.
    void Open(const std::string& text, int index) {
        c_.Load(text);
        c_.panel->CreatePanel(&host_, 10, 20, 560, 400, index);
        ASSERT_TRUE(c_.Object().PanelCreated());
        page_ = Child<CPageGrid>(host_, "pageGrid");
        ASSERT_NE(page_, nullptr);
        page_->SetDialogRunner([this](QDialog& dialog) { return script_.Run(dialog); });
    }
    CGridCtrl* Grid() const { return page_->Grid(); }
    template <typename T>
    int Count(const char* name) const {
        return host_.findChildren<T*>(QString::fromLatin1(name)).size();
    }

    QWidget host_;
    Component c_;
    CPageGrid* page_ = nullptr;
    DialogScript script_;
};

TEST_F(PanelView, CreatesTheSheetInsideTheHostWidgetOnce) {
    Open(SampleSequence(), 2);
    ASSERT_EQ(Count<QTabWidget>("panelSheet"), 1);
    auto* sheet = Child<QTabWidget>(host_, "panelSheet");
    EXPECT_EQ(std::tuple(sheet->parentWidget(), sheet->geometry(), sheet->isVisible(),
                         sheet->currentIndex(), sheet->tabText(0), sheet->font().family(),
                         sheet->font().pixelSize()),
              std::tuple(&host_, QRect(10, 20, 560, 400), true, 0, "Enter Results", "Arial",
                         PanelFont(16).pixelSize()));
    EXPECT_EQ(std::tuple(Grid()->RowCount(), Grid()->CellText(1, 0), Grid()->CellText(1, 1)),
              std::tuple(5, QStringLiteral("外观检查"), "Pass"));

    // Later calls only load another item into the same page.
    c_.panel->CreatePanel(&host_, 0, 0, 100, 100, 0);
    EXPECT_EQ(std::tuple(Count<QTabWidget>("panelSheet"), sheet->geometry(), Grid()->RowCount(),
                         Grid()->CellText(1, 0)),
              std::tuple(1, QRect(10, 20, 560, 400), 6, QStringLiteral("Z1 reactive reach (Ω)")));
}

TEST_F(PanelView, HandlesThatAreNoWidgetsLeaveThePanelUncreated) {
    c_.Load(OwnBlock("T", {"A"}));
    int notAWidget = 0;
    QObject notAWidgetEither;
    for (HWND handle : {static_cast<HWND>(nullptr), static_cast<HWND>(&notAWidget),
                        static_cast<HWND>(&notAWidgetEither)}) {
        c_.panel->CreatePanel(handle, 0, 0, 560, 400, 0);
        c_.panel->DrawResult(handle, 0, 0, 100, 100, 0);
        c_.panel->KeypadCommand(7);
        EXPECT_FALSE(c_.Object().PanelCreated());
    }
    const std::string before = c_.edit->GetTestItemsText();
    EXPECT_EQ(c_.edit->ApplyEnteredResults(0), "");
    EXPECT_EQ(c_.edit->GetTestItemsText(), before);
}

TEST_F(PanelView, ApplyEnteredResultsWritesThePageBackIntoTheItemText) {
    Open(OwnBlock("T", {"A", "B"}, "BM"), 0);
    c_.panel->EnterResultMode();
    TypeResult(Grid(), 1, QStringLiteral("done"));
    script_.Then(AddRow("C", "Z1*3"));
    QTest::mouseClick(page_->AddButton(), Qt::LeftButton);
    EXPECT_EQ(c_.edit->ApplyEnteredResults(0), "");
    EXPECT_EQ(c_.edit->GetTestItemsText(), DataBytes("page_applied.ref"));
}

TEST_F(PanelView, DrawingsAppearInTheHostWindowAtTheirRectangles) {
    Open(OwnBlock("T", {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"}), 0);
    c_.panel->DrawResult(&host_, 600, 0, 160, 300, 0);
    const PanelDrawing& detail = c_.Object().LastDetail();
    ASSERT_GE(detail.texts.size(), 3u);
    EXPECT_EQ(std::pair(detail.texts[1].text, detail.texts[2].text),
              std::pair(std::string("ABCDEFGHIJKLMNOPQR"), std::string("STUVWXYZ0123")));
    auto drawings = host_.findChildren<CDrawingWidget*>(QStringLiteral("panelDrawing"));
    ASSERT_EQ(drawings.size(), 1);
    const QImage& image = drawings[0]->Image();
    EXPECT_EQ(std::pair(drawings[0]->geometry(), image.size()),
              std::pair(QRect(600, 0, 160, 300), QSize(160, 300)));
    // "Result" (10..30), "1.Name" (30..50), the name's two lines (50..90), nothing below the end.
    EXPECT_GT(InkInRows(image, 10, 30), 0);
    EXPECT_GT(InkInRows(image, 50, 70), InkInRows(image, 70, 90));
    EXPECT_GT(InkInRows(image, 70, 90), 0);
    EXPECT_EQ(InkInRows(image, 200, 300), 0);

    // The same rectangle again reuses the drawing; another rectangle adds one; a widget the host
    // adds later stays below them.
    c_.panel->DrawResult(&host_, 600, 0, 160, 300, 0);
    c_.panel->DrawParameterTable(&host_, 600, 300, 300, 100);
    EXPECT_EQ(Count<CDrawingWidget>("panelDrawing"), 2);
    QWidget later(&host_);
    later.setGeometry(550, 0, 400, 400);
    later.show();
    EXPECT_EQ(host_.childAt(610, 10), drawings[0]);
    // Drawings of an empty or absurd rectangle are skipped or cut.
    c_.panel->DrawResult(&host_, 0, 0, 0, 100, 0);
    c_.panel->DrawResult(&host_, 0, 500, 100000, 100000, 0);
    EXPECT_LE(
        host_.findChildren<CDrawingWidget*>(QStringLiteral("panelDrawing")).back()->Image().width(),
        4096);
}

DialogScript::Step Expect(const char* dialogName) {
    return [dialogName](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), dialogName);
        return Press(dialog, "cancelButton");
    };
}

TEST_F(PanelView, KeypadCommandsWorkOnTheActivePage) {
    Open(OwnBlock("T", {"A", "B", "C"}), 0);
    auto* sheet = Child<QTabWidget>(host_, "panelSheet");
    QApplication::setActiveWindow(&host_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
    auto keys = [this](std::vector<int> commands) {
        for (int command : commands)
            c_.panel->KeypadCommand(command);
    };

    // Up and down go to the focused control; without one the page takes the focus.
    host_.setFocus();
    keys({4});
    EXPECT_TRUE(Grid()->hasFocus());
    Grid()->SelectCell(1, 1);
    keys({4, 4, 3});
    EXPECT_EQ(Grid()->currentRow() + 1, 2);

    // A press of the focused control: the grid clicks its current cell, a button is clicked.
    Grid()->SelectCell(2, 2);
    script_.Then(Expect("resultTextDlg"));
    keys({7});
    EXPECT_TRUE(Grid()->hasFocus());
    page_->AddButton()->setFocus();
    script_.Then(Expect("addResultDlg"));
    keys({7});
    EXPECT_TRUE(page_->AddButton()->hasFocus());
    EXPECT_EQ(script_.Shown(), 2);

    // Combo boxes step through their entries as if the tester chose them.
    auto* combo = new QComboBox(page_);
    combo->addItems({"one", "two", "three"});
    combo->show();
    combo->setFocus();
    QSignalSpy chosen(combo, &QComboBox::activated);
    keys({6, 6, 6});
    EXPECT_EQ(combo->currentIndex(), 2);
    keys({5});
    ASSERT_EQ(std::pair(combo->currentIndex(), chosen.size()), std::pair(1, qsizetype(3)));
    EXPECT_EQ(chosen[2][0].toInt(), 1);

    // Pages: one page stays active; with a second one, next and previous move between them.
    keys({1});
    EXPECT_EQ(sheet->currentIndex(), 0);
    sheet->addTab(new QWidget(), QStringLiteral("Other"));
    keys({1});
    EXPECT_EQ(sheet->currentIndex(), 1);
    keys({1});
    EXPECT_EQ(sheet->currentIndex(), 0);
    keys({2, -1, 0, 8, 1000});
    EXPECT_EQ(sheet->currentIndex(), 0);
}

TEST(PanelViewFactory, MakesNoViewOffTheApplicationThread) {
    CPageModel model;
    EXPECT_NE(MakePanelView(model), nullptr);
    bool made = true;
    std::thread([&] { made = MakePanelView(model) != nullptr; }).join();
    EXPECT_FALSE(made);
}

}  // namespace
}  // namespace quorin::test
