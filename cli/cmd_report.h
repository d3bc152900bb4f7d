// quorin report: a test sequence's report, or an imported XML report, as PDF, PNG pages and XML.
//   quorin report SEQUENCE [--pdf FILE] [--png-dir DIR] [--xml FILE] [--settings INI]
//                 [--chapter N] [--progress]
//   quorin report --import FILE.xml [--pdf FILE] [--png-dir DIR] [--xml FILE] [--settings INI]
#pragma once

#include <string>
#include <vector>

#include "report/report_item.h"
#include "report/report_setting.h"

namespace quorin::cli {

struct ReportOptions {
    std::string sequencePath;  // a test sequence ("-": standard input)
    std::string importPath;    // an XML report, instead of a sequence
    std::string pdfPath;
    std::string pngDir;
    std::string xmlPath;
    std::string settingsPath;  // empty: DefaultReportSettingPath()
    int chapter = 0;
    bool progress = false;  // draw the progress bar on stderr whatever the report's size
};

// Where WriteReportFiles writes; an empty path is not written.
struct ReportFiles {
    std::string pdfPath;
    std::string pngDir;
    std::string xmlPath;
};

// Writes the report in the order PDF, PNG pages, XML (the XML gets "$" for the blanks of item
// titles, on a copy of the items), appending one line per file written to *log:
//   "wrote <pdf> (<n> pages)", "wrote <png>" for each page, "wrote <xml> (<n> items)".
// The progress bar (see progress_bar.h) runs on stderr for the PDF and for the pages when
// WantProgressBar(progress, items, stderr). What the drawn report leaves out for a capacity
// goes to stderr, one "quorin report: warning: <what>" line each (CReport::Omissions). Stops at
// the first failure: false with *error as the report library words it ("cannot write <path>",
// ...).
bool WriteReportFiles(const std::vector<CReportItem>& items, const CReportSetting& setting,
                      const std::vector<CReportTable>& extraHeaderTables, const ReportFiles& files,
                      bool progress, std::string* log, std::string* error);

// Runs the command; returns the exit status. The written files are named on stdout; errors go to
// stderr as "quorin report: <message>" with status 1:
//   "give a SEQUENCE file or --import FILE.xml"
//   "give either a SEQUENCE file or --import FILE.xml, not both"
//   "give at least one output: --pdf FILE, --png-dir DIR or --xml FILE"
//   "cannot read file '<path>'" (sequence or settings)
//   the component's, the importer's or the writers' message.
int RunReport(const ReportOptions& options);

}  // namespace quorin::cli
