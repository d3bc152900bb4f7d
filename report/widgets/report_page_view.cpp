#include "report/widgets/report_page_view.h"

#include <QPaintEvent>
#include <QPainter>

#include "report/render/report.h"

namespace quorin {

CReportPageView::CReportPageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reportPageView"));
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(sizeHint());
}

void CReportPageView::SetReport(CReport* report) {
    report_ = report;
    if (report_) {
        report_->SetScreen();
        report_->Draw(this);
    }
    resize(sizeHint());
    update();
}

QSize CReportPageView::sizeHint() const {
    QSize view = report_ ? report_->ViewSize() : QSize(CReport::kPageWidth, 0);
    return view + QSize(2 * kMargin, 2 * kMargin);
}

void CReportPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, QColor(0x9C, 0x9C, 0x9C));
    if (!report_) return;
    painter.translate(kMargin, kMargin);
    report_->PaintView(painter, exposed.translated(-kMargin, -kMargin));
}

}  // namespace quorin
