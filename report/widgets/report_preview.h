// The scrollable report preview: a scroll area around the report's page view.
#pragma once

#include <QScrollArea>

namespace quorin {

class CReport;
class CReportPageView;

class CReportPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit CReportPreview(QWidget* parent = nullptr);

    // Lays the report out for the screen and shows it from its first page. The report must
    // outlive the preview or be replaced first; null empties the preview.
    void ShowReport(CReport* report);
    CReportPageView* PageView() const { return view_; }

    // Scrolls so that the page's top is at the top of the viewport (page counted from 0).
    void ShowPage(int page);

private:
    CReportPageView* view_;
};

}  // namespace quorin
