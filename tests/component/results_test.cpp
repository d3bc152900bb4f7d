// Operation data, result data, the report field list, evaluated parameters, the report table,
// and the result-entry panel through a fake view.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

#include <string>
#include <vector>

#include "component/host_notice.h"
#include "component/panel_view.h"
#include "platform/numtext.h"
#include "report/report_item.h"
#include "tests/component/component_fixture.h"

namespace quorin::test {
namespace {

const std::string kZeroOperation =
    "<OperationDataBegin>PR=0;PX=0;RateR=0.000;RateX=0.000;RateZ=0.000;RateT=0.000;"
    "<OperationDataEnd>";

TEST(OperationData, StartsAtZeroAndReadsMissingKeysAsZero) {
    Component c;
    EXPECT_EQ(c.edit->GetOperationData(5), kZeroOperation);
    c.SetOperation("<OperationDataBegin>PR=3;RateT=1;<OperationDataEnd>", 0);
    c.SetOperation("<OperationDataBegin>PX=-2;<OperationDataEnd>", 0);
    std::string expected = kZeroOperation;
    EXPECT_EQ(c.edit->GetOperationData(5), expected.replace(expected.find("PX=0"), 4, "PX=-2"));
    c.SetOperation("PR=7;<OperationDataEnd>", 0);  // no begin marker: nothing read
    EXPECT_EQ(c.edit->GetOperationData(5), kZeroOperation);
}

TEST(OperationData, RoundTripRoundsRatesToThreeDecimalsInAnyKeyOrder) {
    Component c(SmallTemplate() + OwnBlock("A", {"x"}));
    c.SetOperation(
        "junk<OperationDataBegin>RateT=-0.0004;RateZ=2.71828;RateX=1.0005;RateR=1e3;"
        "PX=12abc;PR=-5;<OperationDataEnd><ItemDataBegin>whatever<ItemDataEnd>",
        0);
    EXPECT_EQ(c.edit->GetOperationData(0),
              "<OperationDataBegin>PR=-5;PX=12;RateR=1000.000;RateX=1.000;RateZ=2.718;"
              "RateT=-0.000;<OperationDataEnd><ItemDataBegin><ItemDataEnd>");
    EXPECT_EQ(c.edit->GetOperationData(1).find("<ItemDataBegin>"), std::string::npos);
}

// At start 0 the value list with the bookmark comes first.
TEST(ResultData, SettingOperationDataRebuildsItAndTheValueListLeadsIt) {
    Component c(SmallTemplate() + OwnBlock("A", {"x", "y"}, "BM"));
    EXPECT_EQ(c.Object().ResultData(), "");
    c.SetOperation("", 7);
    const std::string results = "BM_1_NAME=x;BM_1_RESULT=v1;BM_2_NAME=y;BM_2_RESULT=v2;";
    EXPECT_EQ(c.Object().ResultData(), results);
    EXPECT_EQ(
        Take(c.report->GetValueListAndResults(0)),
        "BM_Z1=4.00Ohm;BM_T1=31ms;BM_MODE=1;BM_EN=1.0;BM_I=5.0A;BM_BIA=Ok;BM_BIL=OR;" + results);
}

TEST(ResultData, CountedParametersOfOwnItemsFromStart) {
    Component c(SmallTemplate() + OwnBlock("A", {"x"}) + ForeignBlock("TestComName2=F;NAME1=f;") +
                OwnBlock("B", {"p", "", "r"}) + OwnBlock("C", {}));
    const std::string fromB = "TEXT_1_NAME=p;TEXT_1_RESULT=v1;";
    const std::pair<int, std::string> cases[] = {
        {0, "TEXT_1_NAME=x;TEXT_1_RESULT=v1;" + fromB},
        {-9, "TEXT_1_NAME=x;TEXT_1_RESULT=v1;" + fromB},
        {1, fromB},
        {3, ""},  // no counted parameters
        {4, ""},  // past the list
    };
    for (const auto& [start, expected] : cases)
        EXPECT_EQ(c.Object().BuildResultData(start), expected) << start;
    EXPECT_EQ(Take(c.report->GetValueListAndResults(2)), fromB);
}

// A NAME present with an empty value reads as one blank, which is not empty: it gets its lines.
TEST(ReportFieldList, OneLinePerNamedParameterAndLaterReportIdentifier) {
    Component c(SmallTemplate() + OwnBlock("A", {"x", "", "z"}, "BM") +
                ForeignBlock("TestComName2=F;NAME1=f;"));
    c.edit->GetReportFieldList();  // rebuilt, not appended
    EXPECT_EQ(c.edit->GetReportFieldList(),
              "x:BM_1_RESULT;\r\n :BM_2_RESULT;\r\nz:BM_3_RESULT;\r\n"
              "x:BM_1_REQUIRE;\r\n :BM_2_REQUIRE;\r\nz:BM_3_REQUIRE;\r\n");
}

TEST(EvaluatedParameters, SixtyValuesInKeyOrder) {
    Component c(SmallTemplate() + OwnBlock("A", {"Z1+1", "1/0"}));
    const std::string values = c.edit->GetEvaluatedParameters(0);
    // NAME1 Z1+1, VALUE1 v1 (no formula), PROPERTY1, REQUIRE1 Z1*1, NAME2 1/0, VALUE2, PROPERTY2,
    // REQUIRE2 Z1*2, then 13 missing parameters.
    std::string missing;
    for (int k = 3; k <= 15; ++k)
        missing += "0.000;0.000;0.000;0.000;";
    EXPECT_EQ(values,
              "5.000;-100000.000;1.000;4.000;-100000.000;-100000.000;2.000;8.000;" + missing);
}

TEST(ReportTable, OneRowPerParameterUpToTheFirstBlankName) {
    Component c(SmallTemplate() + OwnBlock("A", {"N$1", "N2", " ", "N4"}) +
                ForeignBlock("TestComName2=F;") + OwnBlock("B", {"M1"}));
    int32_t done = 0;
    CReportItem** table = c.report->ComposeReport(0, &done, "host data", 2);
    EXPECT_EQ(done, 1);
    ASSERT_NE(table[0], nullptr);
    for (int i = 1; i < kReportItemTableSize; ++i)
        EXPECT_EQ(table[i], nullptr) << i;
    ASSERT_EQ(table[0]->tables.size(), 1u);
    EXPECT_EQ(table[0]->title, "3.  Test Object - Relay X");
    const CReportTable& t = table[0]->tables[0];
    std::vector<Strings> cells(t.rowCount);
    for (int r = 0; r < t.rowCount; ++r)
        for (int col = 0; col < t.colCount; ++col)
            cells[r].push_back(t.CellText(r, col));
    EXPECT_EQ(cells, (std::vector<Strings>{{"Name", "Testing Method", "Measure"},
                                           {"N 1", "Z1*1", "v1"},
                                           {"N2", "Z1*2", "v2"},
                                           {"M1", "Z1*1", "v1"}}));
    // The host's data becomes the result data only when there is none.
    EXPECT_EQ(c.Object().ResultData(), "host data");
    c.report->ComposeReport(0, &done, "other", 0);
    EXPECT_EQ(c.Object().ResultData(), "host data");
    // Composed again from scratch: the same single entry.
    EXPECT_EQ(c.report->ComposeReport(0, nullptr, "", 0), table);
    EXPECT_EQ(table[0]->title, "1.  Test Object - Relay X");
    EXPECT_EQ(table[0]->tables[0].rowCount, 4);
}

// The component's panel on a view that records what it is asked to do.
class Panel : public ::testing::Test {
protected:
    class View final : public IPanelView {
    public:
        explicit View(CPageModel& model) : model_(model) {}
        bool Create(HWND parent, const PanelRect&) override {
            if (active->refuseCreate) return false;
            ++active->created;
            active->viewParent = parent;
            return exists_ = true;
        }
        bool Exists() const override { return exists_; }
        void ShowPage() override { EXPECT_GE(model_.Layout().rows, 1); }
        void Paint(HWND, const PanelRect&, const PanelDrawing& drawing) override {
            active->paints.push_back(drawing);
        }
        void KeypadCommand(int command) override { active->commands.push_back(command); }

    private:
        CPageModel& model_;
        bool exists_ = false;
    };
    void SetUp() override {
        active = this;
        previous = SetPanelViewFactory([](CPageModel& model) -> std::unique_ptr<IPanelView> {
            return active->noView ? nullptr : std::make_unique<View>(model);
        });
    }
    void TearDown() override { SetPanelViewFactory(previous); }

    static inline Panel* active = nullptr;
    bool noView = false;  // the factory makes none, as without a QApplication
    bool refuseCreate = false;
    int created = 0;
    std::vector<int> commands;
    std::vector<PanelDrawing> paints;
    HWND viewParent = nullptr;
    PanelViewFactory previous = nullptr;
};

TEST_F(Panel, CreateLoadsTheItemAndApplyWritesRowsBack) {
    Component c(SmallTemplate() + OwnBlock("A", {"x"}) + OwnBlock("B", {"n1", "n2"}));
    int parent = 0;
    c.panel->CreatePanel(&parent, 10, 20, 320, 200, 1);
    EXPECT_TRUE(c.Object().PanelCreated());
    EXPECT_EQ(viewParent, &parent);
    CPageModel& page = c.Object().Page();
    EXPECT_EQ(std::tuple(page.Title(), page.RowCount(), page.EditLock()), std::tuple("B", 2, 0));
    EXPECT_EQ(c.Object().LastDetail().texts[1].text, "n1");
    c.panel->CreatePanel(&parent, 0, 0, 1, 1, 0);  // exists: only loads item 0
    EXPECT_EQ(created, 1);
    EXPECT_EQ(page.Title(), "A");
    c.panel->CreatePanel(&parent, 0, 0, 1, 1, 1);

    EXPECT_EQ(c.panel->EnterResultMode(), 2);
    page.CellClicked(1, 1, "Pass$ok");
    page.CellNotification(1, 1);
    page.AcceptDialogResult(2, "Fail\r\n");
    page.CellNotification(2, 2);
    ASSERT_TRUE(page.Add("Extra\r\n", "By eye"));
    page.CellNotification(3, 1);
    ASSERT_TRUE(page.Finish());

    // Finishing the entry moves the panel mode to 1 with the next apply.
    EXPECT_EQ(c.panel->GetPanelMode(), 2);
    EXPECT_EQ(c.edit->ApplyEnteredResults(1), "");
    EXPECT_EQ(c.panel->GetPanelMode(), 1);
    EXPECT_EQ(c.edit->GetTestItemsText(), DataBytes("panel_applied.ref"));
    EXPECT_EQ(c.Object().BuildResultData(1),
              "TEXT_1_NAME=n1;TEXT_1_RESULT=Pass$ok;TEXT_2_NAME=n2;TEXT_2_RESULT=Fail;"
              "TEXT_3_NAME=Extra;TEXT_3_RESULT=;");
}

// Without a view the panel keeps only its state, and no results are applied.
TEST_F(Panel, APanelIsMadeOnceAViewCanBeMadeAndCreated) {
    noView = true;
    Component c(OwnBlock("A", {"x"}));  // made before the view could be
    const std::string before = c.edit->GetTestItemsText();
    int parent = 0;
    c.panel->CreatePanel(&parent, 0, 0, 100, 100, 0);
    EXPECT_FALSE(c.Object().PanelCreated());
    EXPECT_EQ(c.Object().PanelParent(), &parent);
    EXPECT_EQ(c.Object().Page().RowCount(), 0);  // nothing loaded into the page
    c.Object().Page().Add("New", "Req");
    EXPECT_EQ(c.edit->ApplyEnteredResults(0), "");
    EXPECT_EQ(c.edit->GetTestItemsText(), before);
    noView = false;
    refuseCreate = true;
    c.panel->CreatePanel(nullptr, 0, 0, 100, 100, 0);
    EXPECT_FALSE(c.Object().PanelCreated());
    c.panel->KeypadCommand(1);  // not created: not passed on
    refuseCreate = false;
    c.panel->CreatePanel(nullptr, 0, 0, 100, 100, 0);
    EXPECT_TRUE(c.Object().PanelCreated());
    EXPECT_EQ(c.Object().Page().Title(), "A");
    c.panel->KeypadCommand(4);
    EXPECT_EQ(commands, std::vector<int>{4});
}

// NAME1=VALUE1 of the item at index.
std::string FirstParameter(Component& c, int index) {
    const CTestItem& item = *c.Object().Items().Item(index);
    return item.KeyString(CTestItem::NameIndex(1)) + "=" + item.KeyString(CTestItem::ValueIndex(1));
}

// What the tester typed and marked for an item comes back whenever that item is shown again, and
// is applied to that item only.
TEST_F(Panel, EntriesStayWithTheirItemThroughReloads) {
    static int window = 0;
    using Step = void (*)(Component&);
    const Step draw0 = [](Component& c) { c.panel->DrawResult(&window, 0, 0, 160, 100, 0); };
    const Step draw1 = [](Component& c) { c.panel->DrawResult(&window, 0, 0, 160, 100, 1); };
    const Step create0 = [](Component& c) { c.panel->CreatePanel(&window, 0, 0, 1, 1, 0); };
    const Step apply0 = [](Component& c) { c.edit->ApplyEnteredResults(0); };
    const Step apply1 = [](Component& c) { c.edit->ApplyEnteredResults(1); };
    const Step storeValue = [](Component& c) {
        c.Object().Items().Item(0)->SetKeyString(CTestItem::ValueIndex(1), "stored");
    };
    const struct {
        std::vector<Step> steps;
        // row 1's result on the page of item A; NAME1=VALUE1 of both items
        std::string result, first, second;
    } cases[] = {
        {{draw0}, "typed", "x=v1", "y=v1"},
        {{create0}, "typed", "x=v1", "y=v1"},
        {{apply1}, "typed", "x=v1", "y=v1"},
        {{apply0, draw0}, "typed", "x=typed", "y=v1"},
        {{draw1, draw0}, "typed", "x=v1", "y=v1"},
        {{draw1, apply0, apply1, create0}, "typed", "x=typed", "y=v1"},
        {{storeValue, draw0}, "stored", "x=stored", "y=v1"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Component c(OwnBlock("A", {"x"}) + OwnBlock("B", {"y"}));
        create0(c);
        c.panel->EnterResultMode();
        CPageModel& page = c.Object().Page();
        page.CellClicked(1, 1, "typed");
        page.CellNotification(1, 1);
        for (Step step : cases[i].steps)
            step(c);
        c.panel->EnterResultMode();
        const auto& k = cases[i];
        EXPECT_EQ(std::tuple(page.Title(), page.RowAt(1).result, page.RowAt(1).resultEntered,
                             page.FinishEnabled(), FirstParameter(c, 0), FirstParameter(c, 1)),
                  std::tuple("A", k.result, 1, true, k.first, k.second))
            << "case " << i;
    }
}

// Parameter 4 follows a missing NAME3: it is shown, and written back as parameter 3.
TEST_F(Panel, ApplyKeepsEveryNamedParameter) {
    Component c(OwnBlock("A", {"n1", "n2", "", "n4"}));
    int window = 0;
    c.panel->CreatePanel(&window, 0, 0, 100, 100, 0);
    c.edit->ApplyEnteredResults(0);
    EXPECT_EQ(c.edit->GetTestItemsText(), DataBytes("named_parameters_applied.ref"));
}

TEST_F(Panel, DrawingsGoToTheGivenWindow) {
    Component c(SmallTemplate() + OwnBlock("A", {"first", "second"}, "BM"));
    int window = 0;
    c.panel->CreatePanel(&window, 0, 0, 160, 100, 0);
    c.Object().Page().CellNotification(2, 0);
    c.panel->DrawResult(&window, 0, 0, 160, 100, 0);
    EXPECT_EQ(c.Object().DrawingMode(), 0);
    ASSERT_EQ(paints.size(), 1u);
    // Loading the item again resets nothing of the current row; the detail is of row 2.
    EXPECT_EQ((Strings{paints[0].texts[1].text, paints[0].texts.back().text}),
              (Strings{"second", "Result"}));

    c.panel->DrawParameterTable(&window, 0, 0, 300, 100);
    EXPECT_EQ(c.Object().DrawingMode(), 3);
    ASSERT_EQ(paints.size(), 2u);
    ASSERT_EQ(paints[1].texts.size(), 6u);
    EXPECT_EQ((Strings{paints[1].texts[4].text, paints[1].texts[5].text}),
              (Strings{"second", "BM_2_RESULT"}));
}

class NoticeReceiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != HostNoticeEvent::Type()) return QObject::event(e);
        const auto* notice = static_cast<HostNoticeEvent*>(e);
        codes.push_back(notice->code());
        data.push_back(notice->data());
        return true;
    }
    std::vector<quintptr> codes;
    std::vector<QByteArray> data;
};

TEST(HostNotice, ReachesThePanelParentSynchronouslyWithItsZero) {
    int argc = 1;
    char name[] = "component_tests";
    char* argv[] = {name};
    QCoreApplication app(argc, argv);
    Component c;
    NoticeReceiver receiver;
    c.Object().NotifyHost(1);  // no panel parent: nothing is sent
    c.panel->CreatePanel(static_cast<QObject*>(&receiver), 0, 0, 10, 10, 0);
    c.Object().SetNoticeText("\xB2\xE2 ok");
    c.Object().NotifyHost(CQuorinCom::kOperationNoticeCode);
    EXPECT_FALSE(SendHostNotice(nullptr, 5, "x"));
    EXPECT_TRUE(SendHostNotice(&receiver, 5, ""));
    EXPECT_EQ(receiver.codes, (std::vector<quintptr>{0xFF0000u, 5}));
    EXPECT_EQ(receiver.data,
              (std::vector<QByteArray>{QByteArray("\xB2\xE2 ok\0", 6), QByteArray(1, '\0')}));
    // The event type number is reserved by the component.
    EXPECT_NE(QEvent::registerEventType(HostNoticeEvent::kTypeNumber),
              HostNoticeEvent::kTypeNumber);
}

}  // namespace
}  // namespace quorin::test
