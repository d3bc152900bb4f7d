// Test points as CSV files, the form a test set fills in: UTF-8, comma-separated, a header row,
// "." decimals whatever the locale, numbers written with "%.6f", lines ending in "\n". Fields
// holding a comma, a quote or a line break are quoted ("..." with "" for a quote).
//
// Points files have the columns loop, r_ohm, x_ohm and measured_time_s (empty: no trip), in any
// order, and may carry the other columns these writers write (zone, angle_deg, expected_zone,
// expected_time_s, verdict); any other column is refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/render/shot_assessment.h"

namespace quorin {

struct PointsTable {
    std::vector<std::string> columns;              // as the header names them, in order
    std::vector<TestShot> shots;                   // one per row
    std::vector<std::vector<std::string>> fields;  // each row's fields as written
};

inline constexpr size_t kMaxPointRows = 1000000;

// Reads a points file. A UTF-8 byte order mark is skipped; CR LF ends a line like LF; empty
// lines are skipped. On bad input returns false with error "<fileName>:<line>: <what>":
//   "no header row" / "unknown column "c"" / "column "c" appears twice" / "no column "c""
//   "<n> fields where the header has <m>" / "unterminated quote" / "text after a closing quote"
//   "malformed number "t" in <column>" / "negative time "t" in measured_time_s"
//   "unknown loop "t": use LN or LL" / "more than 1000000 points"
bool ReadPointsCsv(std::string_view bytes, std::string_view fileName, PointsTable& out,
                   std::string& error);

// loop,r_ohm,x_ohm,measured_time_s,zone,angle_deg,expected_zone,expected_time_s: the measured
// time empty unless the shot has one, zone the label of the zone tested, expected_zone its label or
// "none" and expected_time_s empty when the expected zone has no time (labels from ANSI to UTF-8).
std::string WriteShotsCsv(const std::vector<GeneratedShot>& shots);

// The file read, then expected_zone, expected_time_s and verdict (pass, fail, not-assessed) in
// place of any it had: loop, the numbers rewritten with "%.6f", other fields as they were.
// points are the table's shots assessed, in order.
std::string WriteAssessedCsv(const PointsTable& table, const std::vector<AssessedPoint>& points);

}  // namespace quorin
