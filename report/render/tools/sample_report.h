// A realistic sample report: a distance-protection commissioning test with a report head, three
// tests and a closing entry. Used by the sample program (docs/report/) and the benchmark.
#pragma once

#include <vector>

#include "report/report_item.h"
#include "report/report_setting.h"

namespace quorin {

struct SampleReport {
    std::vector<CReportItem> items;
    std::vector<CReportTable> extraHeaderTables;  // hardware and test-module tables
};

// The head (titled with the settings' report title), then testItems tests cycling through the
// three sample tests (zone reach "1101", boundary search with 40 table rows all passed, manual
// power-swing checks "--"), then "End of report".
SampleReport BuildSampleReport(const CReportSetting& setting, int testItems = 3);

}  // namespace quorin
