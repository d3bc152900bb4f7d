// Report output files: an A4 PDF at printer scale and PNG pages at screen scale. These are the
// entry points for programs; CReport (report/render/report.h) is the object behind them.
//
// Items are drawn in order: the first is the report head (its title, then the header tables),
// the last closes the report and draws nothing (give a closing entry, e.g. titled "End of
// report"), and every item between is one test.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/report_item.h"
#include "report/report_setting.h"

namespace quorin {

class CReport;

// Told as the pages are painted: (items done, items in all); an item is done when its last page
// is. The last call is (total, total).
using ReportProgress = std::function<void(int done, int total)>;

// The PDF: A4 portrait without margins, one PDF page per report page. The report is laid out
// for the writer with sx = sy = the writer's pixels across A4 / 1000 (one report page fills the
// width; the page is centred down the sheet), without frame, with "LogoPrint.bmp". Written
// atomically: on failure an existing file is left as it was, false is returned and *error (when
// given) is "rendering needs a QGuiApplication" or "cannot write <path>". The report keeps its
// scale mode, and the PDF's layout until its next Draw.
bool RenderReportPdf(CReport& report, const std::string& path, std::string* error,
                     const ReportProgress& progress = {});

// PNG pages at screen scale into folder (created when missing): "page-001.png", "page-002.png",
// ..., each 1000 x 1200 pixels, white, with frame, shadow, "logo.bmp" and page number. The
// paths written are appended to *written (when given). Pages of an earlier, longer report are
// not removed. False on the first failure, with *error "rendering needs a QGuiApplication",
// "cannot create folder <folder>" or "cannot write <path>".
bool RenderReportPngs(CReport& report, const std::string& folder, std::vector<std::string>* written,
                      std::string* error, const ReportProgress& progress = {});

// The same for a report made of these items, settings (no ini file is read) and header tables
// drawn after the four of the settings (e.g. BuildHardwareTable, BuildModuleTable). The logo
// folder is the running program's.
bool RenderReportPdf(const std::vector<CReportItem>& items, const CReportSetting& setting,
                     const std::vector<CReportTable>& extraHeaderTables, const std::string& path,
                     std::string* error, const ReportProgress& progress = {});
bool RenderReportPngs(const std::vector<CReportItem>& items, const CReportSetting& setting,
                      const std::vector<CReportTable>& extraHeaderTables, const std::string& folder,
                      std::vector<std::string>* written, std::string* error,
                      const ReportProgress& progress = {});

}  // namespace quorin
