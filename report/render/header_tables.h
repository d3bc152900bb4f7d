// The four header tables of a report head, built from the report settings: station/bay, device
// information, nominal values and test equipment. Each is titled with its group title and lists
// its labels beside their values, label and value columns twice across (width 150 and 270 each,
// 840 in all); the first half of the entries (the larger half when odd) runs down the left pair.
#pragma once

#include <vector>

#include "report/report_item.h"
#include "report/report_setting.h"

namespace quorin {

// Labels become cells as they stand; values are copied raw, so a "$" typed into a value shows.
std::vector<CReportTable> BuildHeaderTables(const CReportSetting& setting);

inline constexpr int kHeaderLabelWidth = 150;
inline constexpr int kHeaderValueWidth = 270;

}  // namespace quorin
