#include "report/render/report_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/file_utils.h"
#include "report/render/report.h"

namespace quorin {
namespace {

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

bool HaveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Restores the report's scale mode when rendering ends.
class ScaleModeGuard {
public:
    explicit ScaleModeGuard(CReport& report)
        : report_(report), printing_(report.Printing()), sx_(report.Sx()), sy_(report.Sy()) {}
    ~ScaleModeGuard() {
        if (printing_)
            report_.SetPrinting(sx_, sy_);
        else
            report_.SetScreen();
    }
    ScaleModeGuard(const ScaleModeGuard&) = delete;
    ScaleModeGuard& operator=(const ScaleModeGuard&) = delete;

private:
    CReport& report_;
    bool printing_;
    float sx_, sy_;
};

// Reports items whose last page has been painted.
class PageProgress {
public:
    PageProgress(const CReport& report, const ReportProgress& progress)
        : report_(report), progress_(progress) {}
    void PagePainted(int page) {
        if (!progress_) return;
        const int total = static_cast<int>(report_.Items().size());
        while (done_ < total && report_.ItemLastPage(done_) <= page)
            ++done_;
        if (done_ != told_) progress_(done_, total);
        told_ = done_;
    }
    void Finish() {
        const int total = static_cast<int>(report_.Items().size());
        if (progress_ && told_ != total) progress_(total, total);
    }

private:
    const CReport& report_;
    const ReportProgress& progress_;
    int done_ = 0, told_ = -1;
};

QString HeadTitle(const CReport& report) {
    if (report.Items().empty()) return {};
    std::u16string title = AnsiToUtf16(report.Items().front().title);
    return QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size()));
}

}  // namespace

bool RenderReportPdf(CReport& report, const std::string& path, std::string* error,
                     const ReportProgress& progress) {
    if (!HaveGuiApplication()) return Fail(error, "rendering needs a QGuiApplication");
    ScaleModeGuard guard(report);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Quorin"));
        pdf.setTitle(HeadTitle(report));
        const float scale = static_cast<float>(pdf.width()) / CReport::kPageWidth;
        report.SetPrinting(scale, scale);
        report.Draw(&pdf);
        const int offsetY = std::max(0, (pdf.height() - report.PageHeightDevice()) / 2);
        QPainter painter;
        if (!painter.begin(&pdf)) return Fail(error, "cannot write " + path);
        PageProgress told(report, progress);
        for (int p = 0; p < report.PageCount(); ++p) {
            if (p > 0) pdf.newPage();
            painter.save();
            painter.translate(0, offsetY);
            report.PaintPage(painter, p);
            painter.restore();
            told.PagePainted(p);
        }
        painter.end();
        told.Finish();
    }
    buffer.close();
    if (bytes.isEmpty() ||
        !WriteFileAtomic(path, std::string_view(bytes.constData(), size_t(bytes.size())))) {
        return Fail(error, "cannot write " + path);
    }
    return true;
}

bool RenderReportPngs(CReport& report, const std::string& folder, std::vector<std::string>* written,
                      std::string* error, const ReportProgress& progress) {
    if (!HaveGuiApplication()) return Fail(error, "rendering needs a QGuiApplication");
    if (folder.empty() || !CreateFolderPath(folder))
        return Fail(error, "cannot create folder " + folder);
    ScaleModeGuard guard(report);
    report.SetScreen();
    QImage page(report.PageWidthDevice(), report.PageHeightDevice(), QImage::Format_RGB32);
    if (page.isNull()) return Fail(error, "cannot write " + folder);
    report.Draw(&page);
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    PageProgress told(report, progress);
    for (int p = 0; p < report.PageCount(); ++p) {
        page.fill(Qt::white);
        QPainter painter(&page);
        report.PaintPage(painter, p);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // Pages are mostly white: strong compression costs little time here.
        page.save(&buffer, "PNG", 50);
        const std::string path = prefix + CFormat("page-%03d.png", p + 1);
        if (bytes.isEmpty() ||
            !WriteFileAtomic(path, std::string_view(bytes.constData(), size_t(bytes.size())))) {
            return Fail(error, "cannot write " + path);
        }
        if (written) written->push_back(path);
        told.PagePainted(p);
    }
    told.Finish();
    return true;
}

bool RenderReportPdf(const std::vector<CReportItem>& items, const CReportSetting& setting,
                     const std::vector<CReportTable>& extraHeaderTables, const std::string& path,
                     std::string* error, const ReportProgress& progress) {
    CReport report(setting);
    report.SetItems(items);
    report.SetExtraHeaderTables(extraHeaderTables);
    return RenderReportPdf(report, path, error, progress);
}

bool RenderReportPngs(const std::vector<CReportItem>& items, const CReportSetting& setting,
                      const std::vector<CReportTable>& extraHeaderTables, const std::string& folder,
                      std::vector<std::string>* written, std::string* error,
                      const ReportProgress& progress) {
    CReport report(setting);
    report.SetItems(items);
    report.SetExtraHeaderTables(extraHeaderTables);
    return RenderReportPngs(report, folder, written, error, progress);
}

}  // namespace quorin
