#include "report/widgets/report_preview.h"

#include <QScrollBar>

#include "report/render/report.h"
#include "report/widgets/report_page_view.h"

namespace quorin {

CReportPreview::CReportPreview(QWidget* parent) : QScrollArea(parent), view_(new CReportPageView) {
    setObjectName(QStringLiteral("reportPreview"));
    setWidget(view_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // A wheel step of a few lines, a page step of one report page.
    verticalScrollBar()->setSingleStep(40);
}

void CReportPreview::ShowReport(CReport* report) {
    view_->SetReport(report);
    if (report) verticalScrollBar()->setPageStep(report->PageHeightDevice());
    verticalScrollBar()->setValue(0);
}

void CReportPreview::ShowPage(int page) {
    const CReport* report = view_->Report();
    if (!report || page < 0) return;
    verticalScrollBar()->setValue(CReportPageView::kMargin + report->PageTop(page));
}

}  // namespace quorin
