#include "report/widgets/report_preview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "report/render/print_bitmap.h"
#include "report/render/report.h"
#include "report/widgets/report_page_view.h"
#include "report/widgets/user_message_box.h"
#include "tests/common/qt_environment.h"
#include "tests/report_render/report_fixture.h"

namespace quorin::test {
namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

TEST(ReportPreview, ShowsEveryPageOnTheDeskAndScrollsToAPage) {
    CReport report(BareHead());
    report.SetItems({Item("Head"), Item("a"), Item("b"), Item("c"), Item("End")});
    report.SetPrinting(3.0f, 3.0f);  // the preview lays the report out for the screen
    CReportPreview preview;
    preview.resize(700, 500);
    preview.ShowReport(&report);
    EXPECT_FALSE(report.Printing());
    EXPECT_EQ(report.PageCount(), 3);
    CReportPageView* view = preview.findChild<CReportPageView*>("reportPageView");
    ASSERT_EQ(view, preview.PageView());
    EXPECT_EQ(view->size(), QSize(1000 + 20, 3 * 1230 + 20));

    QImage shot = view->grab().toImage();
    const int m = CReportPageView::kMargin;
    // The pages lie on the desk with gaps: the third page's shadow shows it was painted.
    EXPECT_EQ(shot.pixelColor(m + 500, m + 1215), QColor(0x9C, 0x9C, 0x9C));
    EXPECT_EQ(shot.pixelColor(m + 998, m + 2 * 1230 + 600), QColor(0x50, 0x50, 0x50));

    preview.ShowPage(2);
    QScrollBar* bar = preview.verticalScrollBar();
    EXPECT_EQ(bar->value(), std::min(m + 2 * 1230, bar->maximum()));
    preview.ShowReport(nullptr);
    EXPECT_EQ(view->size(), QSize(1000 + 20, 20));
}

TEST(ReportPreview, UserMessagesUseAMessageBoxWithOkUnderWidgets) {
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        text = box->text() + (box->standardButtons() == QMessageBox::Ok ? " [Ok]" : "");
        box->button(QMessageBox::Ok)->click();
    });
    ShowUserMessagesInMessageBoxes();
    ShowUserMessage("Error loading bitmap!");
    SetUserMessageHandler({});
    EXPECT_EQ(text, "Error loading bitmap! [Ok]");
}

}  // namespace
}  // namespace quorin::test
