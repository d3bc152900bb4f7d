// The pages of a report at screen scale, one below the other on a grey desk, each with its frame,
// shadow, logo and page number. Its size is the report's preview size plus a margin.
#pragma once

#include <QWidget>

namespace quorin {

class CReport;

class CReportPageView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 10;

    explicit CReportPageView(QWidget* parent = nullptr);

    // Lays the report out for the screen (its scale mode becomes screen) and shows it; null shows
    // an empty desk. The report must outlive the view or be replaced first.
    void SetReport(CReport* report);
    CReport* Report() const { return report_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CReport* report_ = nullptr;
};

}  // namespace quorin
